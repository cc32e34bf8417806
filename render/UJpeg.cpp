#include "render/UJpeg.h"

#include "core/UTextFile.h"

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

// Called by libjpeg as it goes; ends a progressive picture of too many scans.
void progressMonitor(j_common_ptr info) {
    if (!info->is_decompressor)
        return;
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > MaxJpegScans) {
        auto* manager = reinterpret_cast<TErrorManager*>(info->err);
        std::snprintf(manager->Message, sizeof manager->Message,
                      "the picture has more than %d scans", MaxJpegScans);
        std::longjmp(manager->Jump, 1);
    }
}

// Plain data only between setjmp and longjmp, so that the jump skips no destructor.
// decode() returns 0 on success, 1 on a decoder error, 2 on a refused size.
struct TDecodeJob {
    const unsigned char* Data;
    unsigned long Size;
    QImage* Image;
    int MaxSide;
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
    jpeg_progress_mgr progress{};
    progress.progress_monitor = progressMonitor;
    info.progress = &progress;
    info.mem->max_memory_to_use = MaxJpegDecoderMemory;
    jpeg_mem_src(&info, job.Data, job.Size);
    jpeg_read_header(&info, TRUE);
    // The frame size is checked here, from the header alone: the decompression allocates
    // for the whole frame as it starts (all coefficients of a progressive picture).
    const long long frameWidth = info.image_width;
    const long long frameHeight = info.image_height;
    if (frameWidth <= 0 || frameHeight <= 0 || frameWidth > job.MaxSide ||
        frameHeight > job.MaxSide || frameWidth * frameHeight > MaxJpegPixels) {
        jpeg_destroy_decompress(&info);
        std::snprintf(job.Message, sizeof job.Message,
                      "the picture is %lldx%lld pixels, beyond the limit of %d pixels a side "
                      "and %lld in all",
                      frameWidth, frameHeight, job.MaxSide, MaxJpegPixels);
        return 2;
    }
    info.out_color_space = JCS_RGB;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    if (width <= 0 || height <= 0 || width > job.MaxSide || height > job.MaxSide ||
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

TJpegResult DecodeJpeg(const unsigned char* data, std::size_t size, QImage& image, int maxSide) {
    TJpegResult result;
    if (data == nullptr || size == 0) {
        result.Error = "empty file";
        return result;
    }
    TDecodeJob job{data, static_cast<unsigned long>(size), &image, maxSide, {0}};
    if (decode(job) != 0) {
        result.Error = job.Message[0] ? job.Message : "cannot decode the picture";
        return result;
    }
    result.Ok = true;
    return result;
}

TJpegResult LoadJpegFile(const std::string& path, QImage& image) {
    thread_local std::string buffer;
    TJpegResult result;
    std::string reason;
    if (!ReadWholeFile(path, buffer, &reason, MaxJpegFileSize)) {
        // Callers name the file; the reason is what they add.
        result.Error = "cannot read the file: " + reason;
        return result;
    }
    result =
        DecodeJpeg(reinterpret_cast<const unsigned char*>(buffer.data()), buffer.size(), image);
    // A large file's buffer is not kept for the rest of the run.
    if (buffer.capacity() > (4u << 20))
        std::string().swap(buffer);
    return result;
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
    // Frames keep sharp colour edges at their art window: no chroma subsampling for them.
    if (quality >= 90)
        for (int c = 0; c < info.num_components; ++c)
            info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
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
