#include "render/UJpeg.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace zandor {

namespace {

// libjpeg's default handler prints and calls exit(); this one jumps back to the decode
// call with the message kept.
struct TErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<TErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->Message);
    std::longjmp(manager->Jump, 1);
}

// Warnings (corrupt data, a premature end) are not printed: the picture decodes as far
// as it goes, the rest grey, as viewers show it.
void outputMessage(j_common_ptr) {}

// Plain data only between setjmp and longjmp, so that the jump skips no destructor.
// decode() returns 0 on success, 1 on a decoder error, 2 on a refused size.
struct TDecodeJob {
    const unsigned char* Data;
    unsigned long Size;
    QImage* Image;
    char Message[JMSG_LENGTH_MAX];
};

int decode(TDecodeJob& job) {
    jpeg_decompress_struct info;
    TErrorManager manager;
    info.err = jpeg_std_error(&manager.Base);
    manager.Base.error_exit = errorExit;
    manager.Base.output_message = outputMessage;
    manager.Message[0] = 0;
    jpeg_create_decompress(&info);
    if (setjmp(manager.Jump)) {
        jpeg_destroy_decompress(&info);
        std::snprintf(job.Message, sizeof job.Message, "%s", manager.Message);
        return 1;
    }
    jpeg_mem_src(&info, job.Data, job.Size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    if (width <= 0 || height <= 0 || width > MaxJpegSide || height > MaxJpegSide ||
        info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        std::snprintf(job.Message, sizeof job.Message, "unsupported picture size %dx%d", width,
                      height);
        return 2;
    }
    QImage& image = *job.Image;
    // The temporary dies within the statement, before any later jump.
    if (image.width() != width || image.height() != height ||
        image.format() != QImage::Format_RGB888)
        image = QImage(width, height, QImage::Format_RGB888);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        std::snprintf(job.Message, sizeof job.Message, "not enough memory for %dx%d", width,
                      height);
        return 2;
    }
    unsigned char* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    JSAMPROW rows[16];
    while (info.output_scanline < info.output_height) {
        const unsigned int first = info.output_scanline;
        unsigned int count = info.output_height - first;
        if (count > 16)
            count = 16;
        for (unsigned int k = 0; k < count; ++k)
            rows[k] = bits + static_cast<qsizetype>(first + k) * stride;
        jpeg_read_scanlines(&info, rows, count);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return 0;
}

} // namespace

TJpegResult DecodeJpeg(const unsigned char* data, std::size_t size, QImage& image) {
    TJpegResult result;
    if (data == nullptr || size == 0) {
        result.Error = "empty file";
        return result;
    }
    TDecodeJob job{data, static_cast<unsigned long>(size), &image, {0}};
    if (decode(job) != 0) {
        result.Error = job.Message[0] ? job.Message : "cannot decode the picture";
        return result;
    }
    result.Ok = true;
    return result;
}

TJpegResult LoadJpegFile(const std::string& path, QImage& image) {
    thread_local std::vector<unsigned char> buffer;
    TJpegResult result;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        result.Error = "cannot open the file";
        return result;
    }
    buffer.clear();
    unsigned char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        buffer.insert(buffer.end(), chunk, chunk + got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        result.Error = "cannot read the file";
        return result;
    }
    return DecodeJpeg(buffer.data(), buffer.size(), image);
}

bool SaveJpegFile(const std::string& path, const QImage& source, int quality) {
    const QImage image = source.format() == QImage::Format_RGB888
                             ? source
                             : source.convertToFormat(QImage::Format_RGB888);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct info;
    TErrorManager manager;
    info.err = jpeg_std_error(&manager.Base);
    manager.Base.error_exit = errorExit;
    manager.Base.output_message = outputMessage;
    jpeg_create_compress(&info);
    if (setjmp(manager.Jump)) {
        jpeg_destroy_compress(&info);
        std::fclose(file);
        return false;
    }
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

} // namespace zandor
