#pragma once

#include "common/ScreenMetrics.h"

namespace vf::test {

// A screen of a chosen size.
class FixedScreenMetrics final : public ScreenMetrics {
public:
    explicit FixedScreenMetrics(int width, int height = 768)
        : m_width(width)
        , m_height(height)
    {
    }
    int screenWidth() const override { return m_width; }
    int screenHeight() const override { return m_height; }

private:
    int m_width;
    int m_height;
};

} // namespace vf::test
