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

} // namespace vf
