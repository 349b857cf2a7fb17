#include "firmware/EmbeddedImages.h"

// First byte and size of each image, defined by EmbeddedImages.S.
#define KTR84_DECLARE_IMAGE(sym)                                                                   \
    extern "C" const uint8_t sym[];                                                                \
    extern "C" const int32_t sym##_size;
KTR84_DECLARE_IMAGE(ktr84_image_SREC_TRAN)
KTR84_DECLARE_IMAGE(ktr84_image_SREC_ADI_CTRL)
KTR84_DECLARE_IMAGE(ktr84_image_SREC_UBOOT)
KTR84_DECLARE_IMAGE(ktr84_image_SREC_KERNEL)
KTR84_DECLARE_IMAGE(ktr84_image_SREC_FILESYSTEM)
#undef KTR84_DECLARE_IMAGE

const EmbeddedImage* FindEmbeddedImage(std::string_view name) {
    static const EmbeddedImage images[] = {
        {"SREC_TRAN", ktr84_image_SREC_TRAN, ktr84_image_SREC_TRAN_size},
        {"SREC_ADI_CTRL", ktr84_image_SREC_ADI_CTRL, ktr84_image_SREC_ADI_CTRL_size},
        {"SREC_UBOOT", ktr84_image_SREC_UBOOT, ktr84_image_SREC_UBOOT_size},
        {"SREC_KERNEL", ktr84_image_SREC_KERNEL, ktr84_image_SREC_KERNEL_size},
        {"SREC_FILESYSTEM", ktr84_image_SREC_FILESYSTEM, ktr84_image_SREC_FILESYSTEM_size},
    };
    for (const EmbeddedImage& image : images)
        if (image.name == name)
            return &image;
    return nullptr;
}
