#pragma once

#include <QObject>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

// One row of a list form's record buttons: first, previous, next, last,
// add and delete, and the position text "%d of %d". The buttons carry the
// control ids the form gives, so the language file relabels them. They go
// into columns of the form's grid, so that two rows line up.
class CRecordNavigator : public QObject
{
    Q_OBJECT
public:
    struct Ids
    {
        int first, previous, next, last, add, remove, position;
    };
    struct Texts  // the built-in labels
    {
        QString first, previous, next, last, add, remove;
    };

    // Fills columns column .. column + 8 of the grid's row (a gap column
    // after "last" and after "delete").
    CRecordNavigator(const Ids &ids, const Texts &texts, QWidget *form, QGridLayout *grid, int row, int column);
    // Appends to a row of a list form: first, previous, the position,
    // next, last, a gap, add and delete.
    CRecordNavigator(const Ids &ids, const Texts &texts, QWidget *form, QHBoxLayout *row);

    // Shows record `current` of `count`: first and previous are offered
    // away from record 1, next and last away from the last record.
    void showPosition(int current, int count, bool canAdd, bool canDelete);

    QPushButton *button(int ctrlId) const;

signals:
    void firstClicked();
    void previousClicked();
    void nextClicked();
    void lastClicked();
    void addClicked();
    void removeClicked();

private:
    QPushButton *makeButton(int ctrlId, const QString &text, void (CRecordNavigator::*signal)());
    QPushButton *addButton(int ctrlId, const QString &text, int column, void (CRecordNavigator::*signal)());
    QLabel *makePosition(int ctrlId);

    QWidget *m_form;
    QGridLayout *m_grid = nullptr;
    int m_row = 0;

    QPushButton *m_first;
    QPushButton *m_previous;
    QPushButton *m_next;
    QPushButton *m_last;
    QPushButton *m_add;
    QPushButton *m_remove;
    QLabel *m_position;
};
