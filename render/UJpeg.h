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

// Pictures larger than this (either side) are refused rather than allocated.
inline constexpr int MaxJpegSide = 20000;

// Decodes a JPEG held in memory into image (QImage::Format_RGB888). The image's memory is
// reused when it already has the decoded size and format. After a failure the image may
// hold a partly decoded picture; the caller drops it.
TJpegResult DecodeJpeg(const unsigned char* data, std::size_t size, QImage& image);
// Reads the whole file and decodes it; a file that cannot be read is an error too.
TJpegResult LoadJpegFile(const std::string& path, QImage& image);

// Writes image as a baseline JPEG of the given quality (for the picture generators).
bool SaveJpegFile(const std::string& path, const QImage& image, int quality);

} // namespace zandor
