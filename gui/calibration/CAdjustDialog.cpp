#include "calibration/CAdjustDialog.h"

#include "app/AppSettings.h"
#include "app/Prompter.h"
#include "app/TranslateDialog.h"
#include "calibration/CalibrationParameters.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QThread>
#include <QVBoxLayout>

namespace {

constexpr int kAdjustPort = 1;         // the adjust link-up always starts on COM1
constexpr int kMeasureSwitchPauseMs = 1000;

const int kBarIds[kScrollBarCount] = {CAdjustDialog::Bar1, CAdjustDialog::Bar2, CAdjustDialog::Bar3};
const int kValueIds[kScrollBarCount] = {CAdjustDialog::Value1, CAdjustDialog::Value2, CAdjustDialog::Value3};
const int kCaptionIds[kScrollBarCount] = {CAdjustDialog::Caption1, CAdjustDialog::Caption2, CAdjustDialog::Caption3};

QString pick(bool chinese, const char *zh, const char *en)
{
    return QString::fromUtf8(chinese ? zh : en);
}

}

CAdjustDialog::CAdjustDialog(AppSettings &settings, Prompter &prompter, CalibrationImage &tableImage,
                             qint32 upperBandLimit, QWidget *parent, std::function<void(int)> pause)
    : QDialog(parent),
      m_settings(settings),
      m_prompter(prompter),
      m_table(tableImage),
      m_image(tableImage),
      m_chinese(settings.calibrationInChinese()),
      m_pause(pause ? std::move(pause) : [](int ms) { QThread::msleep(ulong(ms)); }),
      m_comm(&settings),
      m_port(m_comm),
      m_protocol(m_port, m_pause),
      m_itemCodes(AdjustItem::listFor(upperBandLimit))
{
    buildControls();
    TranslateDialog(this, kDialogId, settings.language());
    setTexts();

    for (int code : m_itemCodes)
        m_list->addItem(AdjustItem::forCode(code)->label(m_chinese));
    m_list->setCurrentRow(0);
    showItem(*AdjustItem::forCode(m_itemCodes.first()));
    // Nothing talks to the radio before the first item is started.
    m_measure->hide();
    m_deviation->hide();
    m_balanceButton->hide();
    for (int i = 0; i < kScrollBarCount; ++i) {
        m_bars[i].caption->hide();
        if (i > 0) {
            m_bars[i].bar->hide();
            m_bars[i].value->hide();
        }
    }
    m_save->setEnabled(false);
    m_quit->setEnabled(false);

    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CAdjustDialog::measureTick);
}

CAdjustDialog::~CAdjustDialog()
{
    m_timer.stop();
    m_comm.ClosePort();
}

void CAdjustDialog::buildControls()
{
    auto *columns = new QHBoxLayout(this);

    auto *left = new QVBoxLayout;
    m_selectPrompt = new QLabel(this);
    setCtrlId(m_selectPrompt, SelectPrompt);
    m_list = new QListWidget(this);
    setCtrlId(m_list, ItemList);
    m_list->setMinimumSize(260, 320);
    m_selectPrompt->setBuddy(m_list);
    left->addWidget(m_selectPrompt);
    left->addWidget(m_list);
    columns->addLayout(left);

    auto *right = new QVBoxLayout;
    m_receive = new QLabel(this);
    setCtrlId(m_receive, ReceiveFrequency);
    m_transmit = new QLabel(this);
    setCtrlId(m_transmit, TransmitFrequency);
    right->addWidget(m_receive);
    right->addWidget(m_transmit);

    auto *switches = new QHBoxLayout;
    m_deviation = new QRadioButton(QString::fromUtf8("频偏"), this);
    setCtrlId(m_deviation, Deviation);
    m_balanceButton = new QRadioButton(QString::fromUtf8("平衡"), this);
    setCtrlId(m_balanceButton, Balance);
    m_deviation->setChecked(true);
    switches->addWidget(m_deviation);
    switches->addWidget(m_balanceButton);
    switches->addStretch();
    right->addLayout(switches);

    auto *bars = new QGridLayout;
    for (int i = 0; i < kScrollBarCount; ++i) {
        BarControls &c = m_bars[i];
        c.caption = new QLabel(this);
        setCtrlId(c.caption, kCaptionIds[i]);
        c.bar = new QScrollBar(Qt::Horizontal, this);
        setCtrlId(c.bar, kBarIds[i]);
        c.bar->setRange(0, 255);
        c.bar->setSingleStep(1);
        c.bar->setPageStep(1);
        c.bar->setMinimumWidth(280);
        // Reached with Tab and moved with the arrow keys, not only the mouse.
        c.bar->setFocusPolicy(Qt::StrongFocus);
        c.bar->installEventFilter(this);
        c.value = new QLineEdit(this);
        setCtrlId(c.value, kValueIds[i]);
        c.value->setReadOnly(true);
        c.value->setMaximumWidth(90);
        c.caption->setBuddy(c.bar);
        bars->addWidget(c.caption, 2 * i, 0, 1, 2);
        bars->addWidget(c.bar, 2 * i + 1, 0);
        bars->addWidget(c.value, 2 * i + 1, 1);
        connect(c.bar, &QScrollBar::actionTriggered, this, [this, i](int action) { onBarAction(i, action); });
        connect(c.bar, &QScrollBar::valueChanged, c.value, [c](int value) { c.value->setText(QString::number(value)); });
        connect(c.bar, &QScrollBar::sliderReleased, this, [this, i] { commitBar(i, m_bars[i].bar->value()); });
    }
    right->addLayout(bars);

    m_signalGroup = new QGroupBox(this);
    setCtrlId(m_signalGroup, SignalGroup);
    auto *signalLayout = new QGridLayout(m_signalGroup);
    auto *signalLabel = new QLabel(m_signalGroup);
    signalLabel->setObjectName(QStringLiteral("signalLabel"));
    m_signals = new QComboBox(m_signalGroup);
    setCtrlId(m_signals, SignalList);
    signalLabel->setBuddy(m_signals);
    auto *toneLabel = new QLabel(m_signalGroup);
    toneLabel->setObjectName(QStringLiteral("toneLabel"));
    m_toneFrequency = new QLineEdit(QString::number(TransmitSignals::kToneFrequencyDefault), m_signalGroup);
    setCtrlId(m_toneFrequency, ToneFrequency);
    m_toneFrequency->setValidator(new QIntValidator(TransmitSignals::kToneFrequencyMin,
                                                    TransmitSignals::kToneFrequencyMax, m_toneFrequency));
    toneLabel->setBuddy(m_toneFrequency);
    auto *hz = new QLabel(QStringLiteral("Hz"), m_signalGroup);
    setCtrlId(hz, Hz);
    auto *levelLabel = new QLabel(m_signalGroup);
    levelLabel->setObjectName(QStringLiteral("levelLabel"));
    m_toneLevel = new QLineEdit(QStringLiteral("0"), m_signalGroup);
    setCtrlId(m_toneLevel, ToneLevel);
    m_toneLevel->setValidator(new QIntValidator(0, TransmitSignals::kToneLevelMax, m_toneLevel));
    levelLabel->setBuddy(m_toneLevel);
    signalLayout->addWidget(signalLabel, 0, 0);
    signalLayout->addWidget(m_signals, 0, 1, 1, 4);
    signalLayout->addWidget(toneLabel, 1, 0);
    signalLayout->addWidget(m_toneFrequency, 1, 1);
    signalLayout->addWidget(hz, 1, 2);
    signalLayout->addWidget(levelLabel, 1, 3);
    signalLayout->addWidget(m_toneLevel, 1, 4);
    right->addWidget(m_signalGroup);
    m_signalGroup->hide();
    right->addStretch();

    auto *buttons = new QHBoxLayout;
    m_measure = new QPushButton(this);
    setCtrlId(m_measure, Measure);
    m_save = new QPushButton(this);
    setCtrlId(m_save, Save);
    m_quit = new QPushButton(this);
    setCtrlId(m_quit, Quit);
    m_leave = new QPushButton(this);
    setCtrlId(m_leave, Leave);
    for (QPushButton *button : {m_measure, m_save, m_quit, m_leave}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    right->addLayout(buttons);
    columns->addLayout(right, 1);

    m_list->installEventFilter(this);
    connect(m_list, &QListWidget::currentRowChanged, this, &CAdjustDialog::selectLine);
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { startLine(m_list->row(item)); });
    connect(m_deviation, &QRadioButton::clicked, this, [this] { setBalance(false); });
    connect(m_balanceButton, &QRadioButton::clicked, this, [this] { setBalance(true); });
    connect(m_signals, &QComboBox::activated, this, [this] { sendChosenSignal(false); });
    connect(m_toneFrequency, &QLineEdit::editingFinished, this, [this] { sendChosenSignal(true); });
    connect(m_toneLevel, &QLineEdit::editingFinished, this, [this] { sendChosenSignal(true); });
    connect(m_measure, &QPushButton::clicked, this, &CAdjustDialog::toggleMeasuring);
    connect(m_save, &QPushButton::clicked, this, &CAdjustDialog::saveItem);
    connect(m_quit, &QPushButton::clicked, this, &CAdjustDialog::quitItem);
    connect(m_leave, &QPushButton::clicked, this, &CAdjustDialog::reject);
}

void CAdjustDialog::setTexts()
{
    const bool zh = m_chinese;
    setWindowTitle(pick(zh, "调测模式", "Adjust Mode"));
    m_selectPrompt->setText(pick(zh, "请选择校准的项目:", "Please select adjust item:"));
    m_deviation->setText(pick(zh, "频偏", "Deviation"));
    m_balanceButton->setText(pick(zh, "平衡", "Balance"));
    m_signalGroup->setTitle(pick(zh, "发收控制", "TX/RX Control"));
    m_signalGroup->findChild<QLabel *>(QStringLiteral("signalLabel"))->setText(pick(zh, "信号:", "Signal:"));
    m_signalGroup->findChild<QLabel *>(QStringLiteral("toneLabel"))->setText(pick(zh, "单音:", "Tone:"));
    m_signalGroup->findChild<QLabel *>(QStringLiteral("levelLabel"))->setText(pick(zh, "电平:", "Level:"));
    m_signals->setAccessibleName(pick(zh, "发射信号", "Transmit signal"));
    m_toneFrequency->setAccessibleName(pick(zh, "单音频率 (Hz)", "Tone frequency (Hz)"));
    m_toneLevel->setAccessibleName(pick(zh, "单音电平", "Tone level"));
    m_list->setAccessibleName(m_selectPrompt->text());
    m_measure->setText(pick(zh, "开始", "Start"));
    m_save->setText(pick(zh, "确认", "Save"));
    m_quit->setText(pick(zh, "取消", "Cancel"));
    m_leave->setText(pick(zh, "退出", "Exit"));
    for (const TransmitSignal &signal : TransmitSignals::all())
        m_signals->addItem(signal.label(zh));
}

bool CAdjustDialog::linkUp()
{
    const CalibrationMessage result = m_protocol.linkUp(ServiceProtocol::Mode::Adjust, kAdjustPort);
    m_linked = result == CalibrationMessage::None;
    if (!m_linked) {
        m_comm.ClosePort();
        tell(result);
    }
    return m_linked;
}

int CAdjustDialog::exec()
{
    if (!m_linked && !linkUp())
        return Rejected;
    return QDialog::exec();
}

void CAdjustDialog::tell(CalibrationMessage message, const QString &extra)
{
    const bool error = CalibrationMessages::isError(message);
    QString shown = CalibrationMessages::text(message, m_chinese);
    if (!extra.isEmpty())
        shown += QStringLiteral("\n\n") + extra;
    m_prompter.ask(Prompt({}, {}, error ? Prompt::Icon::Error : Prompt::Icon::None, Prompt::Buttons::Ok, shown,
                          CalibrationMessages::caption(message, m_chinese)));
}

QString CAdjustDialog::keepConfirmedValues()
{
    const QList<int> dropped = AdjustItem::unconfirmedItems(m_image, m_table, m_itemCodes);
    m_image = m_table;
    if (dropped.isEmpty())
        return QString();
    QStringList labels;
    for (int code : dropped)
        labels << AdjustItem::forCode(code)->label(m_chinese);
    return pick(m_chinese, "以下项目未存入对讲机,表中保留对讲机最后确认的数值:\n%1",
                "These items were not stored in the radio; the table keeps the values the radio last confirmed:\n%1")
        .arg(labels.join(QStringLiteral(", ")));
}

const AdjustItem *CAdjustDialog::selectedItem() const
{
    const int line = m_list->currentRow();
    return line >= 0 && line < m_itemCodes.size() ? AdjustItem::forCode(m_itemCodes[line]) : nullptr;
}

void CAdjustDialog::selectLine(int line)
{
    if (line < 0 || line >= m_itemCodes.size())
        return;
    if (m_list->currentRow() != line)
        m_list->setCurrentRow(line);  // comes back here through currentRowChanged
    const AdjustItem &item = *AdjustItem::forCode(m_itemCodes[line]);
    showItem(item);
    m_measure->setVisible(item.isMeasured());
    m_save->setEnabled(true);
    m_quit->setEnabled(true);
}

void CAdjustDialog::showItem(const AdjustItem &item)
{
    m_receive->setText(item.frequencyLabel(m_image, CalibrationImage::Direction::Receive, m_chinese));
    m_transmit->setText(item.frequencyLabel(m_image, CalibrationImage::Direction::Transmit, m_chinese));
    const bool balanceSet = item.hasBalanceSet();
    m_deviation->setVisible(balanceSet);
    m_balanceButton->setVisible(balanceSet);
    if (!balanceSet)
        m_balance = false;
    m_deviation->setChecked(!m_balance);
    m_balanceButton->setChecked(m_balance);
    showBars(item);
}

void CAdjustDialog::showBars(const AdjustItem &item)
{
    m_setups = item.scrollBars(m_balance);
    for (int i = 0; i < kScrollBarCount; ++i) {
        const ScrollBarSetup &setup = m_setups[i];
        BarControls &c = m_bars[i];
        c.bar->setVisible(setup.visible);
        c.value->setVisible(setup.visible);
        const QString caption = setup.caption(m_chinese);
        c.caption->setText(caption);
        c.caption->setVisible(setup.visible && !caption.isEmpty());
        if (!setup.visible)
            continue;
        c.bar->setEnabled(setup.enabled);
        // Controls without a caption are still named for screen readers.
        const CalibrationParameter *parameter = CalibrationParameters::forRow(setup.row);
        const QString name = caption.isEmpty() && parameter ? parameter->label(m_chinese) : caption;
        c.bar->setAccessibleName(name);
        c.value->setAccessibleName(name);
        const QSignalBlocker block(c.bar);
        c.bar->setRange(0, setup.maximum);
        const int stored = m_image.value(setup.row, item.point());
        c.bar->setValue(qBound(0, stored, setup.maximum));
        c.value->setText(QString::number(c.bar->value()));
    }
}

void CAdjustDialog::setBalance(bool balance)
{
    m_balance = balance;
    if (const AdjustItem *item = selectedItem())
        showBars(*item);
}

void CAdjustDialog::startLine(int line)
{
    if (line < 0 || line >= m_itemCodes.size())
        return;
    selectLine(line);
    const AdjustItem &item = *AdjustItem::forCode(m_itemCodes[line]);
    m_started = true;
    m_list->setEnabled(false);
    m_signalGroup->setVisible(item.showsTransmitControls());
    m_signals->setCurrentIndex(item.defaultSignalIndex());
    m_toneFrequency->setText(QString::number(TransmitSignals::kToneFrequencyDefault));
    m_protocol.startItem(item);
    m_measure->setEnabled(true);
    m_save->setEnabled(true);
    m_quit->setEnabled(true);
}

bool CAdjustDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            if (m_list->currentRow() >= 0)
                startLine(m_list->currentRow());
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        // The keys act as the bar's arrows do: left and down one step down,
        // right and up one step up, Home and End to the limits.
        for (const BarControls &c : m_bars) {
            if (watched != c.bar)
                continue;
            switch (static_cast<QKeyEvent *>(event)->key()) {
            case Qt::Key_Left:
            case Qt::Key_Down:
            case Qt::Key_PageDown: c.bar->triggerAction(QAbstractSlider::SliderSingleStepSub); return true;
            case Qt::Key_Right:
            case Qt::Key_Up:
            case Qt::Key_PageUp: c.bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); return true;
            case Qt::Key_Home: c.bar->triggerAction(QAbstractSlider::SliderToMinimum); return true;
            case Qt::Key_End: c.bar->triggerAction(QAbstractSlider::SliderToMaximum); return true;
            default: break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CAdjustDialog::onBarAction(int index, int action)
{
    QScrollBar *bar = m_bars[index].bar;
    // The value has not moved yet: value() is the position before the action.
    const int before = bar->value();
    if (!m_started) {
        bar->setSliderPosition(before);
        return;
    }
    int step = 0;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
    case QAbstractSlider::SliderPageStepSub:
        step = -1;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
    case QAbstractSlider::SliderPageStepAdd:
        step = 1;
        break;
    case QAbstractSlider::SliderToMinimum:
    case QAbstractSlider::SliderToMaximum:
        // Home and End: the thumb is already at its limit.
        commitBar(index, bar->sliderPosition());
        return;
    case QAbstractSlider::SliderMove:
        // The wheel moves the thumb without a release to wait for.
        if (!bar->isSliderDown())
            commitBar(index, bar->sliderPosition());
        return;
    default:
        return;  // dragging follows the thumb and commits on release
    }
    const int position = wrapScrollPosition(before, step, bar->maximum());
    bar->setSliderPosition(position);
    commitBar(index, position);
}

void CAdjustDialog::commitBar(int index, int position)
{
    const AdjustItem *item = selectedItem();
    const ScrollBarSetup &setup = m_setups[index];
    if (!m_started || !item || !setup.visible || !setup.enabled)
        return;
    m_bars[index].value->setText(QString::number(position));
    m_image.setValue(setup.row, item->point(), position);
    if (setup.setCode != kNoCode)
        m_protocol.setValue(setup.setCode, position);
}

void CAdjustDialog::sendChosenSignal(bool fromToneFields)
{
    const AdjustItem *item = selectedItem();
    if (!m_started || !item)
        return;
    const int code = item->code();
    const bool sends = fromToneFields ? (code <= 56 || code == 102) : code <= 56;
    if (!sends)
        return;
    const int frequency = qBound(TransmitSignals::kToneFrequencyMin, m_toneFrequency->text().toInt(),
                                 TransmitSignals::kToneFrequencyMax);
    const int level = qBound(0, m_toneLevel->text().toInt(), TransmitSignals::kToneLevelMax);
    m_protocol.sendSignal(m_signals->currentIndex(), frequency, level);
}

void CAdjustDialog::toggleMeasuring()
{
    const AdjustItem *item = selectedItem();
    if (!m_started || !item || !item->isMeasured())
        return;
    m_measuring = !m_measuring;
    m_measure->setText(m_measuring ? pick(m_chinese, "停止", "Stop") : pick(m_chinese, "开始", "Start"));
    m_save->setEnabled(!m_measuring);
    m_quit->setEnabled(!m_measuring);
    m_pause(kMeasureSwitchPauseMs);
    // Switching off leaves the timer running: its next tick latches the value.
    if (m_measuring)
        m_timer.start(item->measureIntervalMs());
}

void CAdjustDialog::measureTick()
{
    const AdjustItem *item = selectedItem();
    if (!item || !item->isMeasured()) {
        m_timer.stop();
        return;
    }
    if (m_measuring) {
        if (const auto measured = m_protocol.measure(item->measureCode()))
            m_bars[0].value->setText(measured->text);
        return;
    }
    m_protocol.latch(item->measureCode());
    bool ok = false;
    const uint value = m_bars[0].value->text().trimmed().toUInt(&ok);
    if (ok)
        item->storeMeasurement(m_image, value);
    m_timer.stop();
}

void CAdjustDialog::saveItem()
{
    const AdjustItem *item = selectedItem();
    if (!m_started || !item)
        return;
    m_timer.stop();
    m_measuring = false;
    const CalibrationMessage result = m_protocol.saveItem();
    if (result != CalibrationMessage::None) {
        endAfterFailure(result);
        return;
    }
    m_list->setEnabled(true);
    m_table.copyValues(m_image, item->rows(), item->point());
}

void CAdjustDialog::quitItem()
{
    const AdjustItem *item = selectedItem();
    if (!m_started || !item)
        return;
    m_timer.stop();
    m_measuring = false;
    m_measure->setEnabled(false);
    m_save->setEnabled(false);
    m_quit->setEnabled(false);
    const CalibrationMessage result = m_protocol.quitItem();
    if (result != CalibrationMessage::None) {
        endAfterFailure(result);
        return;
    }
    m_list->setEnabled(true);
    m_image.copyValues(m_table, item->rows(), item->point());
    showBars(*item);  // the bars show the values the radio keeps
}

void CAdjustDialog::endAfterFailure(CalibrationMessage message)
{
    m_timer.stop();
    m_comm.ClosePort();
    tell(message, keepConfirmedValues());
    QDialog::reject();
}

void CAdjustDialog::reject()
{
    m_timer.stop();
    const CalibrationMessage result = m_protocol.leave();
    m_comm.ClosePort();
    if (result != CalibrationMessage::None)
        tell(result, keepConfirmedValues());
    QDialog::reject();
}
