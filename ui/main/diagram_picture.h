#pragma once

#include <QImage>
#include <QWidget>

namespace tarvilo {

// The one-line diagram of the two-bus system shown at the top of the main
// window: source, bus 1, the line (coil and its two charging capacitors),
// bus 2, the compensation capacitor and the load, on a grey background.
// 484 x 149 pixels; every element is drawn at a fixed pixel place.
QImage DrawDiagramPicture();

// The same drawing, made each time the window paints it, so that no 288 KB
// image is kept for as long as the window is open.
class DiagramView : public QWidget
{
public:
    explicit DiagramView(QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

inline constexpr int kDiagramWidth = 484;
inline constexpr int kDiagramHeight = 149;

} // namespace tarvilo
