#include "deck/UFilters.h"

#include "core/UApplication.h"
#include "core/USettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace zandor {

namespace {

QListWidget* checkList(QWidget* parent, const QRect& geometry, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(geometry);
    list->setUniformItemSizes(true);
    return list;
}

void setTicks(QListWidget* list, std::size_t count, const auto& captionOf, const auto& tickedOf) {
    if (static_cast<std::size_t>(list->count()) != count) {
        list->clear();
        for (std::size_t i = 0; i < count; ++i) {
            auto* item = new QListWidgetItem(captionOf(i), list);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        QListWidgetItem* item = list->item(static_cast<int>(i));
        item->setText(captionOf(i));
        item->setCheckState(tickedOf(i) ? Qt::Checked : Qt::Unchecked);
    }
}

} // namespace

TfmFilters::TfmFilters(TCardDatabase& db, QWidget* parent) : QDialog(parent), m_db(db) {
    setObjectName(QStringLiteral("fmFilters"));
    setWindowTitle(QStringLiteral("Card Filter"));

    // The small sans-serif face of the classic dialogs, so that the controls fit their places.
    QFont smallFont(QStringLiteral("Arial"));
    smallFont.setPixelSize(11);
    setFont(smallFont);
    setFixedSize(520, 372);

    auto* editions = new QGroupBox(QStringLiteral("Edition"), this);
    editions->setGeometry(8, 6, 200, 356);
    cbEditionType = new QComboBox(editions);
    cbEditionType->setObjectName(QStringLiteral("cbEditionType"));
    cbEditionType->setGeometry(8, 20, 184, 24);
    for (std::string_view caption : EditionTypeCaptions)
        cbEditionType->addItem(QString::fromLatin1(caption.data(), qsizetype(caption.size())));
    clbEdition = checkList(editions, {8, 50, 184, 298}, "clbEdition");

    auto* spells = new QGroupBox(QStringLiteral("Spell type"), this);
    spells->setGeometry(216, 6, 160, 250);
    clbSpell = checkList(spells, {8, 20, 144, 190}, "clbSpell");
    bbSpell = new QPushButton(QStringLiteral("None"), spells);
    bbSpell->setObjectName(QStringLiteral("bbSpell"));
    bbSpell->setGeometry(8, 216, 75, 25);

    auto* colors = new QGroupBox(QStringLiteral("Color"), this);
    colors->setGeometry(384, 6, 128, 250);
    clbColor = checkList(colors, {8, 20, 112, 190}, "clbColor");
    bbColor = new QPushButton(QStringLiteral("All"), colors);
    bbColor->setObjectName(QStringLiteral("bbColor"));
    bbColor->setGeometry(8, 216, 75, 25);

    auto* rarity = new QGroupBox(QStringLiteral("Rarity"), this);
    rarity->setGeometry(216, 262, 296, 52);
    cbRCommon = new QCheckBox(QStringLiteral("Common"), rarity);
    cbRCommon->setGeometry(10, 22, 90, 22);
    cbRUncommon = new QCheckBox(QStringLiteral("Uncommon"), rarity);
    cbRUncommon->setGeometry(104, 22, 96, 22);
    cbRRare = new QCheckBox(QStringLiteral("Rare"), rarity);
    cbRRare->setGeometry(206, 22, 80, 22);

    bbOk = new QPushButton(QStringLiteral("OK"), this);
    bbOk->setObjectName(QStringLiteral("bbOk"));
    bbOk->setGeometry(340, 330, 80, 28);
    bbOk->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(428, 330, 80, 28);

    connect(bbOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(cbEditionType, &QComboBox::activated, this, &TfmFilters::cbEditionTypeChange);
    connect(bbSpell, &QPushButton::clicked, this, &TfmFilters::bbSpellClick);
    connect(bbColor, &QPushButton::clicked, this, &TfmFilters::bbColorClick);
    connect(clbEdition, &QListWidget::itemChanged, this, &TfmFilters::clbEditionChange);
    connect(clbEdition, &QListWidget::itemClicked, this, [this] {
        m_model.EditionType = etSelected;
        refresh();
    });
    connect(clbColor, &QListWidget::itemChanged, this, &TfmFilters::clbColorChange);
    connect(clbSpell, &QListWidget::itemChanged, this, &TfmFilters::clbSpellChange);
    const auto rarityBox = [this](QCheckBox* box, bool TFilterState::*field) {
        connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
            if (!m_updating)
                m_model.State.*field = on;
        });
    };
    rarityBox(cbRCommon, &TFilterState::Common);
    rarityBox(cbRUncommon, &TFilterState::Uncommon);
    rarityBox(cbRRare, &TFilterState::Rare);

    LoadFromSettings();
}

void TfmFilters::showEvent(QShowEvent* event) {
    LoadFromSettings();
    QDialog::showEvent(event);
}

void TfmFilters::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && HasShell()) {
        Shell().OpenHelp(this);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmFilters::LoadFromSettings() {
    m_model.Load(m_db.Settings);
    refresh();
}

TWriteResult TfmFilters::SaveToSettings() {
    return m_model.Save(m_db.Settings);
}

void TfmFilters::refresh() {
    m_updating = true;
    cbEditionType->setCurrentIndex(m_model.EditionType);
    setTicks(
        clbEdition, m_model.Editions.size(),
        [this](std::size_t i) { return ToDisplay(m_model.Editions[i].Name); },
        [this](std::size_t i) { return m_model.Editions[i].Ticked; });
    setTicks(
        clbSpell, SpellFilterCaptions.size(),
        [](std::size_t i) { return QString::fromLatin1(SpellFilterCaptions[i].data()); },
        [this](std::size_t i) { return m_model.State.Spells[i]; });
    setTicks(
        clbColor, ColorFilterCaptions.size(),
        [](std::size_t i) { return QString::fromLatin1(ColorFilterCaptions[i].data()); },
        [this](std::size_t i) { return m_model.State.Colors[i]; });
    bbSpell->setText(ToDisplay(m_model.SpellButtonCaption));
    bbColor->setText(ToDisplay(m_model.ColorButtonCaption));
    cbRCommon->setChecked(m_model.State.Common);
    cbRUncommon->setChecked(m_model.State.Uncommon);
    cbRRare->setChecked(m_model.State.Rare);
    m_updating = false;
}

void TfmFilters::cbEditionTypeChange(int index) {
    m_model.ChooseEditionType(index, m_db.Settings);
    refresh();
}

void TfmFilters::bbSpellClick() {
    m_model.SpellButtonClick();
    refresh();
    clbSpell->setFocus();
}

void TfmFilters::bbColorClick() {
    m_model.ColorButtonClick();
    refresh();
    clbColor->setFocus();
}

void TfmFilters::clbEditionChange(QListWidgetItem* item) {
    if (m_updating)
        return;
    m_model.SetEditionTicked(static_cast<std::size_t>(clbEdition->row(item)),
                             item->checkState() == Qt::Checked);
    refresh();
}

void TfmFilters::clbColorChange(QListWidgetItem* item) {
    if (m_updating)
        return;
    m_model.SetColorTicked(static_cast<std::size_t>(clbColor->row(item)),
                           item->checkState() == Qt::Checked);
    refresh();
}

void TfmFilters::clbSpellChange(QListWidgetItem* item) {
    if (m_updating)
        return;
    m_model.SetSpellTicked(static_cast<std::size_t>(clbSpell->row(item)),
                           item->checkState() == Qt::Checked);
}

} // namespace zandor
