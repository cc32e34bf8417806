// JPEG decoding with libjpeg-turbo into 24-bit pictures. Every decoder error comes back
// as a message: a broken, truncated or empty file never ends the program.
#pragma once

#include <QImage>

#include <cstddef>
#include <string>

namespace zandor {

struct TJpegResult {
    bool Ok = false;
    std::string Error; // the decoder's message when Ok is false
};

// Pictures larger than this (either side) are refused rather than allocated: card art is a
// few hundred pixels, a scan a few thousand.
inline constexpr int MaxJpegSide = 12000;
// No picture of more pixels than this is decoded: the header is checked before anything is
// allocated, so a small file that claims a huge frame costs nothing.
inline constexpr long long MaxJpegPixels = 40'000'000;
// What libjpeg may allocate for its own buffers (a progressive picture keeps all of its
// coefficients); a picture that needs more is refused.
inline constexpr long MaxJpegDecoderMemory = 320L * 1024 * 1024;
// A progressive picture of more scans than this is refused: every scan passes over the
// whole coefficient buffer, so thousands of tiny scans would take minutes.
inline constexpr int MaxJpegScans = 1000;
// Art files larger than this are not read at all.
inline constexpr long long MaxJpegFileSize = 64LL * 1024 * 1024;

// Decodes a JPEG held in memory into image (QImage::Format_RGB888). The image's memory is
// reused when it already has the decoded size and format. After a failure the image may
// hold a partly decoded picture; the caller drops it. A frame beyond maxSide on either side
// or beyond MaxJpegPixels in all is refused after the header, before any allocation.
TJpegResult DecodeJpeg(const unsigned char* data, std::size_t size, QImage& image,
                       int maxSide = MaxJpegSide);
// Reads the whole file and decodes it; a file that cannot be read (missing, a folder, a
// FIFO or device, larger than MaxJpegFileSize) is an error too, with the reason.
TJpegResult LoadJpegFile(const std::string& path, QImage& image);

// Writes image as a baseline JPEG of the given quality (for the picture generators).
bool SaveJpegFile(const std::string& path, const QImage& image, int quality);

} // namespace zandor
