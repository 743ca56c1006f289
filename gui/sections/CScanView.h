#pragma once

#include "sections/CSectionForm.h"
#include "sections/ScanData.h"

#include <memory>

class FieldBinder;

class CMemberLists;
class CRecordNavigator;
class CNumberEdit;
class CTextEdit;
class QCheckBox;
class QGridLayout;
class QComboBox;

// The scan-list form (section 7): one list at a time with its name, its
// member channels, the priority and designated channels, the revert
// channel, dwell and look-back times and the switches; navigation, add
// and delete.
class CScanView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 135;
    enum Control {
        AddList = 1129,
        DeleteList = 1130,
        MoveIn = 1136,
        MoveOut = 1137,
        Next = 1138,
        Last = 1139,
        First = 1140,
        Previous = 1141,
        Available = 1149,
        Members = 1150,
        ListName = 1152,
        Position = 1153,
        PriorityType1 = 1157,
        PriorityType2 = 1159,
        Priority1 = 1161,
        Priority2 = 1163,
        Revert = 1165,
        Designated = 1167,
        RxDwell = 1169,
        TxDwell = 1171,
        LookBackA = 1173,
        LookBackB = 1176,
        Talkback = 1178,
        IncludeCurrent = 1179,
        NuisanceDelete = 1180,
        NuisanceReset = 1181,
        ScanIndicator = 1182,
    };

    explicit CScanView(const FormContext &context, QWidget *parent = nullptr);

    ~CScanView() override;

    void OnInitialUpdate(int index) override;
    void Reload() override;
    void ShowRecord(int index) override;

    // The list shown, 1..list count.
    int currentList() const { return recordIndex(); }

private:
    QWidget *buildMembers();
    QWidget *buildSettings();
    QWidget *buildNavigation();
    QCheckBox *addSwitch(int control, const QString &text, const QString &key);

    // Shows list `list` as the user or the tree asked for it: an unset
    // priority or designated channel is rewritten as (0, 0) first.
    void showList(int list);
    void resetUnsetChannels();
    int clampedList(int list) const;
    void fillMembers();
    void updateNavigation();

    void storeName();
    void storeChannelChoice(int control, int index);
    bool moveIn(const QList<ChannelRef> &channels);
    bool moveOut(const QList<ChannelRef> &channels);
    void addList();
    void deleteList();

    CTextEdit *m_name = nullptr;
    CMemberLists *m_lists = nullptr;
    QComboBox *m_priority1 = nullptr;
    QComboBox *m_priority2 = nullptr;
    QComboBox *m_designated = nullptr;
    QComboBox *m_revert = nullptr;
    std::unique_ptr<FieldBinder> m_fields;  // types, dwell and look-back times, switches
    CRecordNavigator *m_navigator = nullptr;
    bool m_storingName = false;
};
