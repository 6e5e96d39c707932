#pragma once

#include <QWidget>

namespace kvt {

// Image1: the face of the switch panel, a plain dark-grey plate with a bevelled edge and a thin
// white margin, drawn at its original 575 x 1061 pixels and stretched to fill the widget.
// The switch labels and the header marker are separate controls drawn over it.
class PanelPicture : public QWidget {
  Q_OBJECT

 public:
  explicit PanelPicture(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace kvt
