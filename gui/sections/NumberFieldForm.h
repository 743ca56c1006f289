#pragma once

#include "sections/NumberFields.h"

#include <functional>
#include <vector>

class Language;
class QGridLayout;
class QWidget;

// Lays out and loads the numeric fields of a form, one labelled row each.
namespace NumberFieldForm {

// Runs the store of a field (change) as the form's edit of control `id`.
using Store = std::function<void(int id, const std::function<void()> &change)>;

// Adds label and field rows to grid from `row` on (a new grid on form when
// grid is null) and stores every committed value through `store`.
void build(QWidget &form, std::vector<NumberField> &fields, const Store &store, QGridLayout *grid = nullptr,
           int row = 0);
// Configures every field and shows its stored value.
void show(std::vector<NumberField> &fields, const Language &language);
// Shows one field's stored value.
void showField(NumberField &field, const Language &language);

}
