#pragma once

#include <QColor>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QRectF>
#include <QString>

#include <vector>

namespace vf::test {

// A piece of text a drawing wrote, and the box its letters cover.
struct DrawnText {
    QString text;
    QRectF box;
    QColor colour;
};

// A paint device that keeps the text drawn on it, as the paint engine is handed it, and
// nothing else. (A painter's own transform is not applied: the map is drawn without one.)
class TextRecorder : public QPaintDevice {
public:
    explicit TextRecorder(QSize size)
        : m_size(size)
    {
    }
    ~TextRecorder() override { delete m_engine; }

    QPaintEngine* paintEngine() const override
    {
        if (!m_engine)
            m_engine = new Engine(const_cast<TextRecorder*>(this));
        return m_engine;
    }
    const std::vector<DrawnText>& texts() const { return m_texts; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return m_size.width() / 4;
        case PdmHeightMM:
            return m_size.height() / 4;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        case PdmNumColors:
            return INT_MAX;
        default:
            return 96; // the dots per inch
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(TextRecorder* device)
            : m_device(device)
        {
        }
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& state) override
        {
            if (state.state() & DirtyPen)
                m_colour = state.pen().color();
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawLines(const QLineF*, int) override {}
        void drawEllipse(const QRectF&) override {}
        void drawRects(const QRectF*, int) override {}
        void drawTextItem(const QPointF& at, const QTextItem& item) override
        {
            const QString text = item.text();
            m_device->m_texts.push_back(
                {text, QFontMetricsF(item.font()).boundingRect(text).translated(at), m_colour});
        }
        Type type() const override { return User; }

    private:
        TextRecorder* m_device;
        QColor m_colour;
    };

    QSize m_size;
    mutable Engine* m_engine = nullptr;
    std::vector<DrawnText> m_texts;
};

} // namespace vf::test
