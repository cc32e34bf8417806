// A picture of two stacked full-size layers, each blended over what lies beneath with its own
// master opacity, whose layers can change places: the cross-fades of the statistics charts and
// of the deck editor's card view are built on it. It owns its two layer pictures.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace zandor {

class TLayeredPicture : public QWidget {
    Q_OBJECT
public:
    static constexpr int LayerCount = 2;
    // What a fade step takes off the upper layer's opacity.
    static constexpr int FadeAmount = 62;

    explicit TLayeredPicture(QWidget* parent = nullptr);

    // Layer 0 lies at the bottom, layer 1 on top. Both are as large as the widget; after
    // drawing into a layer directly, call update().
    QImage& Layer(int index);
    const QImage& Layer(int index) const;
    // Copies a picture into a layer at its top-left corner and repaints.
    void SetLayer(int index, const QImage& picture);
    void FillLayer(int index, const QColor& color);

    // Master opacity from 0 (invisible) to 255 (opaque).
    int Opacity(int index) const;
    void SetOpacity(int index, int opacity);

    // Moves a layer to the top; the other one goes beneath it.
    void BringToFront(int index);

    // One step of a cross-fade from the upper layer to the lower one: the upper layer loses
    // FadeAmount of its opacity while it has more than that; otherwise the lower layer comes
    // to the top, both become opaque and the step returns false, the fade being over.
    bool FadeStep();

    // What lies beneath both layers.
    void SetBackground(const QColor& color);
    // The picture as it is shown: the background with both layers blended over it.
    QImage Composed() const;

signals:
    void MouseDown(Qt::MouseButton button, const QPoint& position);
    void MouseMove(const QPoint& position);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;

private:
    void paintLayers(QPainter& painter) const;
    // The layers follow the widget's size, also while it is hidden and gets no resize event.
    void fitLayers() const;
    struct TLayer {
        QImage Picture;
        int Opacity = 255;
    };
    mutable TLayer m_layers[LayerCount];
    QColor m_background = Qt::black;
};

} // namespace zandor
