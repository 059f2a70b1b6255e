#pragma once

namespace vf {

// The primary screen's size in pixels, injected so that tests choose the width.
class ScreenMetrics {
public:
    virtual ~ScreenMetrics() = default;
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
};

class QtScreenMetrics final : public ScreenMetrics {
public:
    int screenWidth() const override;
    int screenHeight() const override;
};

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

} // namespace vf
