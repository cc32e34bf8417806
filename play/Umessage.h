// The waiting message shown while a game is being set up.
#pragma once

#include <QWidget>

namespace zandor {

class TfmMessage : public QWidget {
    Q_OBJECT
public:
    explicit TfmMessage(QWidget* parent = nullptr);
    // Shows the window and paints it at once, before the work that follows.
    void ShowNow();
};

} // namespace zandor
