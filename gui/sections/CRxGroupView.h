#pragma once

#include "sections/CSectionForm.h"

class CMemberLists;
class CRecordNavigator;
class CTextEdit;
class QLabel;
class QPushButton;

// The RX group form (section 12): one list at a time with its name and two
// list boxes, the group contacts still available and the members; contacts
// move in (at most 16 members) and out. Navigation, add and delete.
class CRxGroupView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 139;
    enum Control {
        AddList = 1129,
        DeleteList = 1130,
        MoveIn = 1136,
        MoveOut = 1137,
        Next = 1138,
        Last = 1139,
        First = 1140,
        Previous = 1141,
        Position = 1142,
        Available = 1143,
        Members = 1144,
        ListName = 1148,
    };

    explicit CRxGroupView(const FormContext &context, QWidget *parent = nullptr);

    void OnInitialUpdate(int index) override;
    void Reload() override;
    void ShowRecord(int index) override;

    // The list shown, 1..list count.
    int currentList() const { return recordIndex(); }
    // Shown while the list holds members that are not group contacts.
    QLabel *hiddenMembersNote() const { return m_hiddenNote; }
    QPushButton *removeHiddenButton() const { return m_removeHidden; }

private:
    QWidget *buildNavigation();
    QWidget *buildMembers();
    int listCount() const;
    int clampedList(int list) const;
    void showList(int list);
    void fillContacts();
    QWidget *buildHiddenMembers();
    void showHiddenMembers();
    void removeHiddenMembers();
    void updateNavigation();

    void storeName();
    bool moveIn(const QList<int> &contacts);
    bool moveOut(const QList<int> &contacts);
    void addList();
    void deleteList();

    CTextEdit *m_name = nullptr;
    CMemberLists *m_lists = nullptr;
    CRecordNavigator *m_navigator = nullptr;
    QLabel *m_hiddenNote = nullptr;
    QPushButton *m_removeHidden = nullptr;
    bool m_storingName = false;
};
