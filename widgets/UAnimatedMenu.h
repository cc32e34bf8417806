// An animated popup menu: a tree of entries with captions, submenus and small pictures,
// shown as a column of translucent panels that fade in, navigated by mouse and keyboard.
#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class QVariantAnimation;

namespace zandor {

// One entry of the menu; an entry with items opens a submenu instead of being picked.
struct TMenuItem {
    QString Caption;
    QImage Picture; // drawn 16 x 16 left of the caption; none when null
    bool Enabled = true;
    std::vector<std::unique_ptr<TMenuItem>> Items;

    TMenuItem* Add(const QString& caption, const QImage& picture = QImage());
};

class TAnimatedPopupMenu;

// One open level of the menu: a popup window listing the entries of one item.
class TMenuPanel : public QWidget {
    Q_OBJECT
public:
    TMenuPanel(TAnimatedPopupMenu* menu, TMenuItem* item, int level);

    TMenuItem* Item() const { return m_item; }
    int Level() const { return m_level; }
    int Current() const { return m_current; }
    void SetCurrent(int row);
    // The rectangle of entry row inside the panel.
    QRect RowRect(int row) const;
    int RowAt(const QPoint& pos) const;
    void SelectFirst() { moveSelection(1); }
    // The panel fades in from clear to the menu's opacity; input is taken meanwhile.
    void StartFade();
    bool Fading() const;
    // The menu has let the panel go: it answers nothing more.
    void Detach() { m_menu = nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void moveSelection(int step);

    TAnimatedPopupMenu* m_menu;
    QVariantAnimation* m_fade = nullptr;
    bool m_pressed = false;
    TMenuItem* m_item;
    int m_level;
    int m_current = -1;
};

class TAnimatedPopupMenu : public QObject {
    Q_OBJECT
public:
    static constexpr int RowHeight = 20;
    static constexpr int PictureSize = 16;
    // The fade never holds back input: entries answer from the first frame.
    static constexpr int OpeningMs = 120;
    // 40 per cent translucency where the window system composites.
    static constexpr double Opacity = 0.6;
    inline static const QColor Background{83, 122, 134};
    inline static const QColor TextColor{192, 192, 192};
    inline static const QColor SelectedBackground{192, 192, 192};
    inline static const QColor SelectedText{255, 255, 255};
    inline static const QColor DisabledText{128, 128, 128};

    explicit TAnimatedPopupMenu(QObject* parent = nullptr);
    ~TAnimatedPopupMenu() override;

    TMenuItem& Root() { return m_root; }
    TMenuItem* Add(const QString& caption, const QImage& picture = QImage()) {
        return m_root.Add(caption, picture);
    }
    // The first entry with the caption anywhere in the tree, or nullptr.
    TMenuItem* Find(const QString& caption);
    QFont Font() const;

    // Opens the menu with its corner at the point (global), kept inside the screen.
    void Popup(const QPoint& globalPos);
    void Close();
    bool IsOpen() const { return !m_panels.empty(); }
    // The open levels, the top menu first.
    int OpenLevels() const { return static_cast<int>(m_panels.size()); }
    TMenuPanel* Panel(int level) const;
    // Whether the opening fade is still running.
    bool Animating() const;

    // Called by the panels.
    void OpenSubmenu(TMenuPanel* from, int row, bool selectFirst);
    void CloseAbove(int level);
    void Pick(TMenuItem* item);
    // The open panel under the point (global) at level below or equal to level, or nullptr.
    TMenuPanel* PanelAt(const QPoint& globalPos, int level) const;

signals:
    // An entry without a submenu was picked: its caption.
    void ItemSelected(const QString& caption);
    void Closed();

private:
    TMenuPanel* openPanel(TMenuItem* item, const QPoint& globalPos, const QRect& avoid);

    TMenuItem m_root;
    std::vector<TMenuPanel*> m_panels;
};

// The small pictures of the play menus, drawn here: a counter and the colour spots.
QImage MenuCounterPicture();
// A spot of the colour of the letter ("W", "U", "B", "R", "G"); any other is colourless.
QImage MenuColorPicture(const QString& letter);

} // namespace zandor
