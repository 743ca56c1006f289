#include "app/CodeplugEditor.h"

#include "app/Language.h"
#include "app/TranslateDialog.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/ImageDelta.h"

#include <QUndoCommand>

namespace {

// One recorded edit. It is pushed after the change already happened, so
// its first redo writes nothing.
class ImageEditCommand : public QUndoCommand
{
public:
    ImageEditCommand(CodeplugEditor &editor, CPcSoftwareDoc &doc, EditName name, ImageDelta delta)
        : m_editor(editor), m_doc(doc), m_name(std::move(name)), m_delta(std::move(delta))
    {
    }

    const EditName &name() const { return m_name; }
    void setName(EditName name) { m_name = std::move(name); }

    void undo() override
    {
        m_delta.applyBefore(m_doc.image(), kImageSize);
        restored();
    }

    void redo() override
    {
        if (m_applied) {
            m_delta.applyAfter(m_doc.image(), kImageSize);
            restored();
        }
        m_applied = true;
    }

private:
    void restored()
    {
        // The band limits are derived from the image's band bytes.
        m_doc.UpdateBandLimits();
        emit m_editor.imageRestored();
    }

    CodeplugEditor &m_editor;
    CPcSoftwareDoc &m_doc;
    EditName m_name;
    ImageDelta m_delta;
    bool m_applied = false;
};

const ImageEditCommand *commandAt(const QUndoStack &stack, int index)
{
    return (index >= 0 && index < stack.count()) ? static_cast<const ImageEditCommand *>(stack.command(index))
                                                 : nullptr;
}

QString withAction(const Language &language, const char *formatKey, const char *menuKey, const ImageEditCommand *command)
{
    if (!command)
        return language.GetLangText(QStringLiteral("MENU"), QLatin1String(menuKey));
    QString format = language.GetLangString(QLatin1String(formatKey));
    if (!format.contains(QLatin1String("%1")))
        format = QStringLiteral("%1");
    return format.arg(command->name().text(language));
}

}

QString EditName::text(const Language &language) const
{
    if (key.isEmpty())
        return LabelTextForName(language.GetLangItem(QStringLiteral("Resource"), ctrlId));
    if (ctrlId == 0 && fields > 0)
        return language.GetLangString(key).arg(fields).arg(count);
    if (ctrlId == 0)
        return count > 0 ? language.GetLangString(key).arg(count) : language.GetLangString(key);
    const QString label = LabelTextForName(language.GetLangItem(QStringLiteral("Resource"), ctrlId));
    return language.GetLangString(key).arg(label, QString::number(count));
}

CodeplugEditor::CodeplugEditor(CPcSoftwareDoc &doc, QObject *parent) : QObject(parent), m_doc(doc)
{
    connect(&m_stack, &QUndoStack::indexChanged, this, &CodeplugEditor::stackChanged);
}

CodeplugEditor::~CodeplugEditor()
{
    // The commands refer to this object; they go first.
    m_stack.blockSignals(true);
    m_stack.clear();
}

bool CodeplugEditor::apply(const EditName &name, const std::function<void()> &change)
{
    if (m_depth > 0) {
        // Part of an edit already being recorded.
        change();
        return true;
    }
    const auto before = std::make_unique<Image>(m_doc.currentImage());
    struct Depth
    {
        int &depth;
        explicit Depth(int &d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    };
    {
        const Depth nested(m_depth);
        change();
        if (m_followUp && *before != m_doc.currentImage())
            m_followUp();
    }
    ImageDelta delta = ImageDelta::between(*before, m_doc.currentImage());
    if (delta.isEmpty())
        return false;
    m_stack.push(new ImageEditCommand(*this, m_doc, name, std::move(delta)));
    return true;
}

void CodeplugEditor::renameTop(const EditName &name)
{
    const int top = m_stack.index() - 1;
    if (top < 0 || top >= m_stack.count())
        return;
    static_cast<ImageEditCommand *>(const_cast<QUndoCommand *>(m_stack.command(top)))->setName(name);
    emit stackChanged();
}

void CodeplugEditor::clear()
{
    m_stack.clear();
    emit stackChanged();
}

QString CodeplugEditor::undoText(const Language &language) const
{
    return withAction(language, "IDS_UNDO_ACTION", "EDIT_UNDO", commandAt(m_stack, m_stack.index() - 1));
}

QString CodeplugEditor::redoText(const Language &language) const
{
    return withAction(language, "IDS_REDO_ACTION", "EDIT_REDO", commandAt(m_stack, m_stack.index()));
}
