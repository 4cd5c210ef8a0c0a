#pragma once

#include "shell/widgets/warning_box.h"

#include <QString>
#include <QStringList>

namespace hygrova::test {

// Records every warning box the program would show instead of showing it, for as long as it
// lives.
class WarningRecorder {
public:
    WarningRecorder();
    ~WarningRecorder();
    WarningRecorder(const WarningRecorder&) = delete;
    WarningRecorder& operator=(const WarningRecorder&) = delete;

    const QStringList& messages() const { return m_messages; }
    // The only message recorded since the last clear, or "" when there were none or several.
    QString single() const { return m_messages.size() == 1 ? m_messages.front() : QString(); }
    void clear() { m_messages.clear(); }

private:
    QStringList m_messages;
    WarningBoxHandler m_previous;
};

}  // namespace hygrova::test
