// The die roll of the play table: the rolled number large and on a die face.
#pragma once

#include <QDialog>
#include <QLabel>

namespace zandor {

// A die face showing a value from 1 to 6; it does not turn.
class TDiceFace : public QLabel {
    Q_OBJECT
public:
    explicit TDiceFace(QWidget* parent = nullptr);
    int Value() const { return m_value; }
    void SetValue(int value);

private:
    int m_value = 1;
};

class TfmKube : public QDialog {
    Q_OBJECT
public:
    explicit TfmKube(QWidget* parent = nullptr);

    QLabel* rxlResult;
    TDiceFace* RxDice;

    // Sets the number, the die face and the caption to value (without showing).
    void SetValue(int value);
    // Rolls random(6) + 1 with the program's generator, shows it and the window modally;
    // returns the value.
    int Roll();
};

} // namespace zandor
