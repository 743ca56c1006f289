#pragma once

#include <QString>
#include <functional>

class CNumberEdit;
class QLabel;

// How a form binds one numeric field to the image: its control, the limits
// of the field and the accessor calls that read and store its value.
struct NumberField
{
    NumberField(int id, const char *label, int minimum, int maximum, int charLimit, int step,
                std::function<int()> read, std::function<void(int)> write)
        : id(id), label(label), minimum(minimum), maximum(maximum), charLimit(charLimit), step(step),
          read(std::move(read)), write(std::move(write))
    {
    }

    int id;               // the edit's control id
    const char *label;    // built-in label text
    int minimum;
    int maximum;
    int charLimit;
    int step;
    std::function<int()> read;
    std::function<void(int)> write;
    bool hasSpecial = false;  // 0 is shown as the special text
    QString specialKey;       // [String] key of that text
    bool tenths = false;      // the value counts tenths, shown "%d.%d"
    int labelId = 0;          // the label's control id when it differs from the edit's
    CNumberEdit *edit = nullptr;
    QLabel *labelWidget = nullptr;

    // The label's "Resource" text names the field and its undo step.
    int captionId() const { return labelId ? labelId : id; }
};
