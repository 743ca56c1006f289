#include "calibration/CCalibrationTableDialog.h"

#include "app/AppSettings.h"
#include "app/FilePaths.h"
#include "app/Prompter.h"
#include "app/TranslateDialog.h"
#include "calibration/CAdjustDialog.h"
#include "calibration/CalibrationBackup.h"
#include "calibration/CalibrationGrid.h"
#include "calibration/TestDataFile.h"
#include "widgets/CEditGrid.h"
#include "widgets/CNumberEdit.h"

#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QThread>
#include <QVBoxLayout>

namespace {

constexpr int kLabelColumnWidth = 200;
constexpr int kPointColumnWidth = 80;
const char kFileFilter[] = "(*.test)";

}

CCalibrationTableDialog::CCalibrationTableDialog(AppSettings &settings, Prompter &prompter, qint32 upperBandLimit,
                                                 QWidget *parent, std::function<void(int)> pause)
    : QDialog(parent),
      m_settings(settings),
      m_prompter(prompter),
      m_upperLimit(upperBandLimit),
      m_chinese(settings.calibrationInChinese()),
      m_pause(pause ? std::move(pause) : [](int ms) { QThread::msleep(ulong(ms)); }),
      m_comm(&settings),
      m_port(m_comm),
      m_protocol(m_port, m_pause)
{
    buildControls();
    setTexts();
    refresh();
    resize(sizeHint().width(), 720);  // most rows in view without scrolling

    chooseOpenFile = [this](QWidget *parentWidget, const QString &folder) {
        return QFileDialog::getOpenFileName(parentWidget, m_open->text(), folder, QLatin1String(kFileFilter));
    };
    chooseSaveFile = [this](QWidget *parentWidget, const QString &folder) {
        // The replace question is asked once the extension is added (saveTestData).
        return QFileDialog::getSaveFileName(parentWidget, m_save->text(), folder, QLatin1String(kFileFilter), nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    };
    runAdjust = [this](CalibrationImage &image) {
        CAdjustDialog adjust(m_settings, m_prompter, image, m_upperLimit, this, m_pause);
        adjust.exec();
        image = adjust.image();
    };
}

CCalibrationTableDialog::~CCalibrationTableDialog()
{
    m_comm.ClosePort();
}

QString CCalibrationTableDialog::text(const char *chinese, const char *english) const
{
    return QString::fromUtf8(m_chinese ? chinese : english);
}

void CCalibrationTableDialog::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    m_grid = new CEditGrid(this);
    setCtrlId(m_grid, Grid);
    QVector<int> widths{kLabelColumnWidth};
    for (int column = 1; column < CalibrationGrid::kColumnCount; ++column)
        widths << kPointColumnWidth;
    m_grid->setColumns(widths);
    m_grid->setRecordCount(CalibrationGrid::kRowCount - 1);
    m_grid->setMinimumSize(m_grid->sizeHint().width(), 480);
    layout->addWidget(m_grid, 1);

    // The editors are the dialog's own children, placed over the cell: inside
    // the grid's viewport a screen reader walking the dialog would not find them.
    m_number = new CNumberEdit(this);
    setCtrlId(m_number, NumberEdit);
    m_frequency = new QLineEdit(this);
    setCtrlId(m_frequency, FrequencyEdit);
    m_frequency->setMaxLength(CalibrationGrid::kFrequencyTextLength);
    for (QWidget *editor : {static_cast<QWidget *>(m_number), static_cast<QWidget *>(m_frequency)}) {
        editor->hide();
        editor->setEnabled(false);
        editor->installEventFilter(this);
    }
    // Every spin step is stored at once; typed text when the edit is left.
    connect(m_number, &CNumberEdit::valueCommitted, this, &CCalibrationTableDialog::storeNumber);
    connect(m_frequency, &QLineEdit::returnPressed, this, &CCalibrationTableDialog::finishEditing);
    connect(m_grid, &QTableWidget::cellClicked, this, [this](int row, int column) { editCell(row + 1, column + 1); });
    // An editor does not scroll with the grid: the edit ends instead.
    for (QScrollBar *bar : {m_grid->verticalScrollBar(), m_grid->horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] { finishEditing(); });
    connect(m_grid, &QTableWidget::cellActivated, this, [this](int row, int column) { editCell(row + 1, column + 1); });

    auto *buttons = new QHBoxLayout;
    const auto button = [&](int id) {
        auto *b = new QPushButton(this);
        setCtrlId(b, id);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    m_open = button(OpenFile);
    m_save = button(SaveFile);
    m_adjust = button(EnterAdjust);
    buttons->addStretch();
    m_read = button(Read);
    m_write = button(Write);
    m_cancel = button(Cancel);
    layout->addLayout(buttons);

    connect(m_open, &QPushButton::clicked, this, &CCalibrationTableDialog::openTestData);
    connect(m_save, &QPushButton::clicked, this, &CCalibrationTableDialog::saveTestData);
    connect(m_adjust, &QPushButton::clicked, this, &CCalibrationTableDialog::enterAdjust);
    connect(m_read, &QPushButton::clicked, this, &CCalibrationTableDialog::readRadio);
    connect(m_write, &QPushButton::clicked, this, &CCalibrationTableDialog::writeRadio);
    connect(m_cancel, &QPushButton::clicked, this, &CCalibrationTableDialog::reject);
}

void CCalibrationTableDialog::setTexts()
{
    const bool zh = m_chinese;
    setWindowTitle(text("测试模式", "Test Mode"));
    m_open->setText(text("打开测试数据", "Open test data"));
    m_save->setText(text("保存测试数据", "Save test data"));
    m_adjust->setText(text("进入调测模式", "Enter adjust"));
    m_read->setText(text("读", "Read"));
    m_write->setText(text("写", "Write"));
    m_cancel->setText(text("取消", "Cancel"));

    QStringList titles{CalibrationGrid::cornerText(zh)};
    for (int column = 1; column < CalibrationGrid::kColumnCount; ++column)
        titles << CalibrationGrid::columnHeader(column, zh);
    m_grid->setTitles(titles);
    QStringList labels;
    for (int row = 1; row < CalibrationGrid::kRowCount; ++row)
        labels << CalibrationGrid::rowLabel(row, zh);
    m_grid->setRowTitles(labels);
    m_grid->setAccessibleName(text("校准数据", "Calibration values"));
    m_number->setAccessibleName(text("校准值", "Calibration value"));
    m_frequency->setAccessibleName(text("频率 (MHz)", "Frequency (MHz)"));
}

void CCalibrationTableDialog::refresh()
{
    const QPalette palette = m_grid->palette();
    for (int row = 1; row < CalibrationGrid::kRowCount; ++row) {
        for (int column = 1; column < CalibrationGrid::kColumnCount; ++column) {
            m_grid->setCellText(row - 1, column - 1, CalibrationGrid::cellText(m_image, row, column));
            QTableWidgetItem *cell = m_grid->item(row - 1, column - 1);
            if (!cell)
                continue;
            // Cells without a value look like the dialog's face, in grey.
            const bool face = !CalibrationGrid::isEditable(row, column, m_upperLimit);
            cell->setBackground(face ? palette.button() : palette.base());
            cell->setForeground(face ? palette.brush(QPalette::Disabled, QPalette::Text) : palette.text());
        }
    }
}

void CCalibrationTableDialog::placeEditor(QWidget *editor, int row, int column)
{
    const QRect cell = m_grid->visualItemRect(m_grid->item(row - 1, column - 1));
    editor->setGeometry(QRect(m_grid->viewport()->mapTo(this, cell.topLeft()), cell.size()));
    // Named after the cell, so a screen reader says what is being edited.
    editor->setAccessibleName(CalibrationGrid::rowLabel(row, m_chinese) + QStringLiteral(", ")
                              + CalibrationGrid::columnHeader(column, m_chinese));
    editor->setEnabled(true);
    editor->show();
    editor->raise();
    editor->setFocus();
}

bool CCalibrationTableDialog::editCell(int row, int column)
{
    if (m_editRow >= 0)
        finishEditing();
    if (!CalibrationGrid::isEditable(row, column, m_upperLimit))
        return false;
    m_grid->scrollToItem(m_grid->item(row - 1, column - 1));
    m_editRow = row;
    m_editColumn = column;
    if (row == CalibrationGrid::kReceiveRow || row == CalibrationGrid::kTransmitRow) {
        m_frequency->setText(CalibrationGrid::cellText(m_image, row, column));
        placeEditor(m_frequency, row, column);
        m_frequency->selectAll();
        return true;
    }
    const CalibrationGrid::EditRange range = CalibrationGrid::editRange(row);
    m_number->Configure(0, range.maximum, range.digits, 1, true);
    m_number->Show(qBound(0, m_image.value(row, column - 1), range.maximum), false);
    placeEditor(m_number, row, column);
    m_number->selectAll();
    return true;
}

void CCalibrationTableDialog::storeNumber(int value)
{
    if (m_editRow < CalibrationGrid::kTransmitRow + 1)
        return;
    CalibrationGrid::setCellValue(m_image, m_editRow, m_editColumn, value);
    m_grid->setCellText(m_editRow - 1, m_editColumn - 1, CalibrationGrid::cellText(m_image, m_editRow, m_editColumn));
}

void CCalibrationTableDialog::finishEditing()
{
    if (m_editRow < 0)
        return;
    const int row = m_editRow;
    const int column = m_editColumn;
    QString refused;
    if (m_frequency->isVisible()) {
        const QString typed = m_frequency->text().trimmed();
        if (!CalibrationImage::isFrequencyText(typed))
            refused = typed;
        else
            CalibrationGrid::setFrequencyText(m_image, row, column, typed);
    } else if (m_number->isVisible()) {
        storeNumber(m_number->Step(0));
    }
    m_editRow = -1;
    m_editColumn = -1;
    for (QWidget *editor : {static_cast<QWidget *>(m_number), static_cast<QWidget *>(m_frequency)}) {
        editor->hide();
        editor->setEnabled(false);
    }
    refresh();
    // Told after the editor is gone, so the message's focus change cannot
    // finish the same edit again.
    if (!refused.isEmpty())
        tellError(text("\"%1\" 不是频率(单位 MHz,例如 435.0025),该单元格保持原值。",
                       "\"%1\" is not a frequency in MHz (for example 435.0025); the cell keeps its value.")
                      .arg(refused));
}

bool CCalibrationTableDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_number || watched == m_frequency) {
        if (event->type() == QEvent::FocusOut && m_editRow >= 0)
            finishEditing();
        else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape
                 && m_editRow >= 0) {
            // Escape leaves the cell as it is stored.
            m_editRow = -1;
            m_number->hide();
            m_frequency->hide();
            m_grid->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CCalibrationTableDialog::tell(CalibrationMessage message, const QString &extra)
{
    const bool error = CalibrationMessages::isError(message);
    QString shown = CalibrationMessages::text(message, m_chinese);
    if (!extra.isEmpty())
        shown += QLatin1Char('\n') + extra;
    m_prompter.ask(Prompt({}, {}, error ? Prompt::Icon::Error : Prompt::Icon::None, Prompt::Buttons::Ok, shown,
                          CalibrationMessages::caption(message, m_chinese)));
}

void CCalibrationTableDialog::tellError(const QString &message)
{
    m_prompter.ask(Prompt({}, {}, Prompt::Icon::Error, Prompt::Buttons::Ok, message, text("错误", "Error")));
}

void CCalibrationTableDialog::readRadio()
{
    finishEditing();
    const CalibrationMessage linked =
        m_protocol.linkUp(ServiceProtocol::Mode::TableRead, ServiceProtocol::tablePortNumber(m_settings));
    if (linked != CalibrationMessage::None) {
        m_comm.ClosePort();
        tell(linked);
        return;
    }
    const CalibrationMessage result = m_protocol.readBlocks(m_image);
    m_comm.ClosePort();
    QString note;
    if (result == CalibrationMessage::ReadSucceeded) {
        refresh();
        // The radio's own values are kept, whatever is done with them next.
        const CalibrationBackup backup;
        const QString kept = backup.save(m_image, m_protocol.serialReply());
        note = kept.isEmpty() ? text("注意:未能在 %1 中保存备份!", "Note: no backup copy could be kept in %1!")
                                    .arg(backup.folder())
                              : QString();
    }
    tell(result, note);
}

void CCalibrationTableDialog::writeRadio()
{
    finishEditing();
    const CalibrationMessage linked =
        m_protocol.linkUp(ServiceProtocol::Mode::TableWrite, ServiceProtocol::tablePortNumber(m_settings));
    if (linked != CalibrationMessage::None) {
        m_comm.ClosePort();
        tell(linked);
        return;
    }
    const CalibrationMessage result = m_protocol.writeBlocks(m_image);
    m_comm.ClosePort();
    tell(result);
}

void CCalibrationTableDialog::openTestData()
{
    finishEditing();
    // The backups of every radio read are where a technician looks first.
    const QString path = chooseOpenFile(this, CalibrationBackup::defaultFolder());
    if (path.isEmpty())
        return;
    switch (TestDataFile::load(path, m_image)) {
    case TestDataFile::LoadResult::Loaded:
        break;
    case TestDataFile::LoadResult::CannotOpen:
        tellError(text("无法打开文件 %1。", "Cannot open the file %1.").arg(path));
        break;
    case TestDataFile::LoadResult::WrongSize:
        tellError(text("%1 不是测试数据文件(必须正好 16384 字节),数据未改变。",
                       "%1 is not a test-data file (it must hold exactly 16384 bytes); nothing was changed.")
                      .arg(path));
        break;
    }
    refresh();
}

void CCalibrationTableDialog::saveTestData()
{
    finishEditing();
    const QString typed = chooseSaveFile(this, QString());
    if (typed.isEmpty())
        return;
    const FilePaths::SaveTarget target = FilePaths::saveTarget(typed, QStringLiteral("test"), FilePaths::Extension::Always);
    const QString path = target.path;
    if (target.kind == FilePaths::SaveTarget::Kind::Refused) {
        tellError(text("%1 不是普通文件(而是文件夹、设备或管道),不能被替换。未保存任何内容。",
                       "%1 is not a regular file (a folder, device or pipe) and cannot be replaced. Nothing was saved.")
                      .arg(path));
        return;
    }
    if (target.kind == FilePaths::SaveTarget::Kind::Existing
        && m_prompter.ask(Prompt({}, {}, Prompt::Icon::Warning, Prompt::Buttons::YesNo,
                                 text("%1 已存在。\n是否替换?", "%1 already exists.\nDo you want to replace it?").arg(path),
                                 text("保存测试数据", "Save test data")))
               != PromptAnswer::Yes)
        return;
    if (QString error; !TestDataFile::save(path, m_image, &error))
        tellError(text("无法保存文件 %1,磁盘上的文件保持不变:\n%2", "Cannot save the file %1; the file on disk was left as it was:\n%2")
                      .arg(path, error));
    refresh();
}

void CCalibrationTableDialog::enterAdjust()
{
    finishEditing();
    m_comm.ClosePort();
    CalibrationImage copy = m_image;
    runAdjust(copy);
    m_image = copy;
    refresh();
}
