#pragma once

// Compares drawn RGB565 rows pixel for pixel with a reference picture (a PNG read back to
// RGB565), naming the first few differing pixels. With OSTREL_WRITE_GOLDEN=1 the drawn picture
// is written in its place instead (scripts/make-*-references.sh); look at it before committing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/PngWriter.h"
#include "tests/support/ReferencePicture.h"

inline void expectLikeReference(const std::string& path, const std::vector<uint16_t>& drawn, int32_t width,
                                int32_t height) {
    if (const char* write = std::getenv("OSTREL_WRITE_GOLDEN"); write != nullptr && std::string(write) == "1") {
        const png_writer::Bytes png = png_writer::encodeRgb565(drawn.data(), uint32_t(width), uint32_t(height));
        std::ofstream file(path, std::ios::binary);
        ASSERT_TRUE(file.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()))) << path;
        return;
    }
    int32_t referenceWidth = 0, referenceHeight = 0;
    const std::vector<uint16_t> expected = readReferencePicture(path, &referenceWidth, &referenceHeight);
    ASSERT_FALSE(expected.empty()) << path << ": no reference picture";
    ASSERT_EQ(referenceWidth, width) << path;
    ASSERT_EQ(referenceHeight, height) << path;
    ASSERT_EQ(drawn.size(), expected.size()) << path;
    int mismatches = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (drawn[i] != expected[i] && ++mismatches <= 5)
            ADD_FAILURE() << path << " (" << i % size_t(width) << ", " << i / size_t(width) << "): " << std::hex
                          << drawn[i] << " not " << expected[i];
    }
    EXPECT_EQ(mismatches, 0) << path;
}
