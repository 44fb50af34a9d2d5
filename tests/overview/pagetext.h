#pragma once

#include "overview/ktpreviewprint.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>
#include <algorithm>

// Replays a recorded page and keeps every text it draws with its position,
// so tests read pages the way a reader would: line by line, left to right.
class PageText : public QPaintDevice
{
public:
    struct Text {
        double x = 0;
        double baseline = 0;
        QString text;
        bool bold = false;
        int pixelSize = 0;
    };

    explicit PageText(const QPicture& page) : m_engine(this)
    {
        QPainter p(this);
        PrehrajStranu(p, page, 1.0);
        p.end();
        std::stable_sort(texts.begin(), texts.end(), [](const Text& a, const Text& b) {
            return a.baseline < b.baseline - 0.5 || (std::abs(a.baseline - b.baseline) <= 0.5 && a.x < b.x);
        });
    }

    // Texts grouped by baseline, top to bottom.
    QList<QList<Text>> lines() const
    {
        QList<QList<Text>> out;
        for (const Text& t : texts) {
            if (out.isEmpty() || std::abs(out.last().first().baseline - t.baseline) > 0.5)
                out.append(QList<Text>());
            out.last().append(t);
        }
        return out;
    }

    static QStringList words(const QList<Text>& line)
    {
        QStringList out;
        for (const Text& t : line)
            out << t.text;
        return out;
    }

    QList<Text> texts;

    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return tisk::kSirkaPapiru;
        case PdmHeight:
            return tisk::kVyskaPapiru;
        case PdmWidthMM:
            return 210;
        case PdmHeightMM:
            return 297;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(PageText* owner) : QPaintEngine(AllFeatures), m_owner(owner) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& novy) override
        {
            if (novy.state() & DirtyTransform) m_transform = novy.transform();
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawRects(const QRectF*, int) override {}
        void drawRects(const QRect*, int) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            const QPointF at = m_transform.map(p);
            m_owner->texts.append({at.x(), at.y(), item.text(), item.font().bold(), item.font().pixelSize()});
        }
        Type type() const override { return User; }

    private:
        PageText* m_owner;
        QTransform m_transform;
    };
    mutable Engine m_engine;
};
