#include "qt/DebugCategory.h"

#include <QString>

Q_LOGGING_CATEGORY(lcKtr84Debug, "ktr84.debug", QtWarningMsg)

void DebugTrace(std::string_view text) {
    if (!lcKtr84Debug().isDebugEnabled())
        return;
    // The traces carry their own line ends; the category adds one.
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    qCDebug(lcKtr84Debug).noquote()
        << QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
