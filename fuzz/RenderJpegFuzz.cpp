// Any bytes as an art file: decoding gives a picture or an error, never a crash, and a
// decoded picture of any size goes through both resampling filters and the stretch.
#include "render/UJpeg.h"
#include "render/UResample.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QImage image;
    // The program's own limits: a forged header is refused before anything is allocated.
    const zandor::TJpegResult result = zandor::DecodeJpeg(data, size, image);
    if (!result.Ok) {
        if (result.Error.empty())
            std::abort();
        return 0;
    }
    if (image.isNull() || image.format() != QImage::Format_RGB888)
        std::abort();
    QImage small;
    zandor::ResampleImage(5, 4, zandor::Lanczos3Filter, small, image, 3.0f);
    zandor::ResampleImage(3, 2, zandor::BoxFilter, small, image, 1.0f);
    if (small.width() != 3 || small.height() != 2)
        std::abort();
    QImage target(9, 7, QImage::Format_RGB888);
    zandor::StretchImage(target, target.rect(), image);
    return 0;
}
