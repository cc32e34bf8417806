// The statistics window: the table of the deck's cards with editable costs and counts, the
// mana curve, the average and local colour costs, the type and rarity counts and the deck's
// value. It owns its statistics model, which edits change; the deck itself never changes.
#pragma once

#include "core/UCardDatabase.h"
#include "stats/UStat.h"

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QTableWidget;
class QTimer;

namespace zandor {

class TLayeredPicture;

class TfmStat : public QDialog {
    Q_OBJECT
public:
    explicit TfmStat(const TCardDatabase& db, QWidget* parent = nullptr);
    ~TfmStat() override;

    // Builds the statistics of the deck lines and shows them in the table and the pictures,
    // cross-fading from what was shown before. A main-deck line whose count is no number is
    // reported in an error box, and false is returned with the window left as it was.
    bool LoadDeck(const std::vector<std::string>& deckLines);
    // The deck editor's statistics command: loads the deck and, when it loads, shows the
    // window modally. Returns whether the window was shown.
    bool ShowDeck(const std::vector<std::string>& deckLines);

    const TStatCards& Stats() const { return *m_stats; }

    // The card table: columns name, edition, converted cost, cost and count; one table row
    // per model row (the headers stand above them).
    QTableWidget* sgDeck;
    TLayeredPicture* plManaCurv;
    TLayeredPicture* plAvgCost;
    TLayeredPicture* plManaColorCurv;
    QLabel* plLoc;
    QLabel* lbLand;
    QLabel* lbCreature;
    QLabel* lbSpell;
    QLabel* lbLandP;
    QLabel* lbCreatureP;
    QLabel* lbSpellP;
    QLabel* lbDeck;
    QLabel* lbR;
    QLabel* lbU;
    QLabel* lbC;
    QLabel* lbCur;
    QTimer* tViewCurv;
    QTimer* tCurv;
    QTimer* tColorCurv;
    // The draw odds of the card of the selected table row, beside the curve: the chance of
    // at least 1 to 4 copies in the opening hand and by each of the turns 1 to 7 on the draw.
    QLabel* plOdds = nullptr;
    QLabel* lbOddsCard = nullptr;
    QTableWidget* sgOdds = nullptr;

    // False drops the key; a key that passes may come back changed (w becomes W).
    bool sgDeckKeyPress(int column, QChar& key) const;
    // Every change of a cell's text while it is edited; row is the model row.
    void sgDeckSetEditText(int column, int row, const QString& text);
    void tViewCurvTimer();
    void tCurvTimer();
    void tColorCurvTimer();
    void plManaCurvMouseDown(Qt::MouseButton button, const QPoint& position);
    void plManaCurvMouseMove(const QPoint& position);
    void RedrawAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class TStatGridDelegate;
    void FillGrid();
    void editorOpened(QLineEdit* editor, int column, int row);
    void showRow(int row);
    void drawLocalCost();
    void buildOddsPanel();
    void refreshOdds();

    const TCardDatabase& m_db;
    std::unique_ptr<TStatCards> m_stats;
    QImage m_curve;        // the mana curve last drawn, for the bar hit test
    int m_localBucket = 0; // the bucket whose colour split is shown, 0 before the first click
    QPointer<QLineEdit> m_editor;
    int m_editorColumn = -1;
    int m_editorRow = -1;
};

} // namespace zandor
