#pragma once

#include <QWidget>
#include <functional>

class QListWidget;
class QPushButton;

// The member editor of a list form: the entries still available and the
// list's members side by side, with "增加>>" and "<<删除" between them.
// Selecting in one list clears the other, so only the button that moves
// out of the selected list is offered. The form fills both lists (each
// entry carries what it stands for) and stores the moves.
class CMemberLists : public QWidget
{
    Q_OBJECT
public:
    struct Ids
    {
        int available, members, moveIn, moveOut;
    };
    struct Texts  // the built-in labels of the two lists
    {
        QString available, members;
    };
    // Stores the move of the entries selected in `from` and refills both
    // lists; true when they moved.
    using Move = std::function<bool(const QListWidget *from)>;

    CMemberLists(const Ids &ids, const Texts &texts, const QSize &listSize, QWidget *form);

    QListWidget *available() const { return m_available; }
    QListWidget *members() const { return m_members; }
    void setMoves(Move moveIn, Move moveOut);
    // Offers the move buttons by the selections; the form calls it after
    // refilling the lists, which emits no signals.
    void updateMoveButtons();

private:
    QListWidget *addList(int ctrlId, const QString &title, int column, const QSize &size);
    QPushButton *addButton(int ctrlId, const QString &text);
    void clearOnSelection(QListWidget *selecting, QListWidget *other);
    void moveSelection(QListWidget *from, const Move &move);

    QListWidget *m_available = nullptr;
    QListWidget *m_members = nullptr;
    QPushButton *m_moveIn = nullptr;
    QPushButton *m_moveOut = nullptr;
    Move m_in;
    Move m_out;
};
