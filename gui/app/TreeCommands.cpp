#include "app/TreeCommands.h"

#include "app/CommandIds.h"
#include "codeplug/CPcSoftwareDoc.h"

struct CTreeCommands::State
{
};

CTreeCommands::CTreeCommands(CPcSoftwareDoc &doc, Prompter &prompter)
    : m_doc(doc), m_prompter(prompter), m_state(new State)
{
}

CTreeCommands::~CTreeCommands()
{
    delete m_state;
}

bool CTreeCommands::isAvailable(int, const TreeNode &) const
{
    return false;
}

CTreeCommands::Outcome CTreeCommands::run(int, const TreeNode &)
{
    return {};
}
