#include "render/UOptions.h"

#include "core/UApplication.h"
#include "widgets/UMessages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace zandor {

namespace {

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, const QRect& at) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(at);
    return box;
}

} // namespace

TfmOptions::TfmOptions(TCardDatabase& db, QWidget* parent) : QDialog(parent), m_db(db) {
    setObjectName(QStringLiteral("fmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setFixedSize(380, 300);

    pcOpt = new QTabWidget(this);
    pcOpt->setObjectName(QStringLiteral("pcOpt"));
    pcOpt->setGeometry(6, 6, 368, 248);
    tsGeneral = new QWidget;
    tsGeneral->setObjectName(QStringLiteral("tsGeneral"));
    tsPrint = new QWidget;
    tsPrint->setObjectName(QStringLiteral("tsPrint"));
    pcOpt->addTab(tsGeneral, QStringLiteral("General"));
    pcOpt->addTab(tsPrint, QStringLiteral("Print"));

    gbPic = new QGroupBox(QStringLiteral(" Путь к графическим файлам "), tsGeneral);
    gbPic->setObjectName(QStringLiteral("gbPic"));
    gbPic->setGeometry(6, 6, 350, 54);
    dePic = new QLineEdit(gbPic);
    dePic->setObjectName(QStringLiteral("dePic"));
    dePic->setGeometry(8, 22, 300, 24);
    dePicBrowse = new QPushButton(QStringLiteral("..."), gbPic);
    dePicBrowse->setObjectName(QStringLiteral("dePicBrowse"));
    dePicBrowse->setGeometry(312, 22, 30, 24);
    dePicBrowse->setAutoDefault(false);

    lbPicRes =
        new QLabel(QStringLiteral("Метод преобразования \nхудожественной картинки"), tsGeneral);
    lbPicRes->setObjectName(QStringLiteral("lbPicRes"));
    lbPicRes->setGeometry(10, 68, 180, 34);
    cbPicRes = new QComboBox(tsGeneral);
    cbPicRes->setObjectName(QStringLiteral("cbPicRes"));
    cbPicRes->setGeometry(200, 72, 150, 24);
    cbPicRes->addItems(
        {QStringLiteral("Standart"), QStringLiteral("Box"), QStringLiteral("Lanczos3")});

    cbRamka = checkBox(tsGeneral, "cbRamka",
                       QStringLiteral("В тесте перемещать рамку вместо карты"), {10, 112, 340, 22});
    cbAnim = checkBox(tsGeneral, "cbAnim", QStringLiteral("Отключить анимацию карт"),
                      {10, 138, 340, 22});
    cbBufCard = checkBox(tsGeneral, "cbBufCard", QStringLiteral("Не созавать заранее копии карт"),
                         {10, 164, 340, 22});

    gbProxies = new QGroupBox(QStringLiteral(" Proxies "), tsPrint);
    gbProxies->setObjectName(QStringLiteral("gbProxies"));
    gbProxies->setGeometry(6, 6, 350, 130);
    cbUseTempPic = checkBox(gbProxies, "cbUseTempPic", QStringLiteral("Художественная картинка"),
                            {10, 22, 330, 22});
    cbUseBord =
        checkBox(gbProxies, "cbUseBord", QStringLiteral("Черный бордюр"), {10, 46, 330, 22});
    cbUseOsn = checkBox(gbProxies, "cbUseOsn", QStringLiteral("Основа карты"), {10, 70, 330, 22});
    cb5mm = checkBox(gbProxies, "cb5mm", QStringLiteral("Пространство между проксями"),
                     {10, 94, 330, 22});

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(196, 264, 84, 28);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(288, 264, 84, 28);
    BitBtn2->setAutoDefault(false);

    FolderDialog = [](QWidget* parent, const QString& start) {
        return QFileDialog::getExistingDirectory(
            parent, QStringLiteral("Путь к графическим файлам"), start);
    };

    connect(BitBtn1, &QPushButton::clicked, this, &TfmOptions::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(dePicBrowse, &QPushButton::clicked, this, &TfmOptions::dePicBrowseClick);
    loadControls();
}

void TfmOptions::loadControls() {
    dePic->setText(QString::fromStdString(m_db.PicDir));
    cbRamka->setChecked(m_db.TableDragFrame);
    cbUseTempPic->setChecked(m_db.ProgramOptions.UseTempPic);
    cbUseBord->setChecked(m_db.ProgramOptions.UseBord);
    cbUseOsn->setChecked(m_db.ProgramOptions.UseOsn);
    cb5mm->setChecked(m_db.ProgramOptions.Use5MM);
    // A method the list does not hold (the key takes 0..255) shows no item.
    const int stretch = m_db.ProgramOptions.Stretch;
    cbPicRes->setCurrentIndex(stretch < cbPicRes->count() ? stretch : -1);
    cbAnim->setChecked(m_db.ProgramOptions.UseAnim);
    cbBufCard->setChecked(m_db.ProgramOptions.UseCopy);
}

void TfmOptions::showEvent(QShowEvent* event) {
    loadControls();
    QDialog::showEvent(event);
}

void TfmOptions::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && HasShell()) {
        Shell().OpenHelp(this);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmOptions::dePicBrowseClick() {
    if (!FolderDialog)
        return;
    const QString chosen = FolderDialog(this, dePic->text().trimmed());
    if (!chosen.isEmpty())
        dePic->setText(chosen);
}

void TfmOptions::BitBtn1Click() {
    // Every value is written; the first failure is the one the user hears of.
    TWriteResult failed;
    const auto keep = [&failed](const TWriteResult& r) {
        if (failed.Ok && !r.Ok)
            failed = r;
    };
    m_db.PicDir = dePic->text().trimmed().toStdString();
    keep(m_db.Settings.WriteString(ini::Location, ini::Pic, m_db.PicDir));
    m_db.TableDragFrame = cbRamka->isChecked();
    keep(m_db.Settings.WriteBool(ini::Ramka, ini::Key, m_db.TableDragFrame));
    TProgramOptions& options = m_db.ProgramOptions;
    options.UseTempPic = cbUseTempPic->isChecked();
    options.UseBord = cbUseBord->isChecked();
    options.UseOsn = cbUseOsn->isChecked();
    options.Use5MM = cb5mm->isChecked();
    options.UseAnim = cbAnim->isChecked();
    options.UseCopy = cbBufCard->isChecked();
    if (cbPicRes->currentIndex() >= 0)
        options.Stretch = static_cast<std::uint8_t>(cbPicRes->currentIndex());
    keep(SaveOptions(m_db.Settings, options));
    if (!failed.Ok)
        ShowError(this, ToDisplay(failed.Error));
    accept();
}

} // namespace zandor
