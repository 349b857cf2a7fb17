// The developers' trace goes to the logging category ktr84.debug, off unless
// switched on.
#include <QLoggingCategory>
#include <QStringList>
#include <gtest/gtest.h>

#include "qt/DebugCategory.h"

namespace {
QStringList g_messages;

void Collect(QtMsgType, const QMessageLogContext& context, const QString& strText) {
    g_messages << QString("%1|%2").arg(context.category, strText);
}

TEST(DebugCategory, TracesReachTheCategoryOnlyWhenSwitchedOn) {
    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(Collect);
    DebugTrace("CSComDoc::WriteCommString(): reset\r\n");
    EXPECT_TRUE(g_messages.isEmpty()); // off by default

    // A rule ending in ".debug" names the message type, hence the doubled name.
    QLoggingCategory::setFilterRules("ktr84.debug.debug=true");
    DebugTrace("CSComDoc::WriteCommString(): reset\r\n");
    DebugTrace("Recv: login:");
    QLoggingCategory::setFilterRules("");
    DebugTrace("Recv: after switching off\n");

    qInstallMessageHandler(previous);
    EXPECT_EQ(g_messages, (QStringList{"ktr84.debug|CSComDoc::WriteCommString(): reset\r",
                                       "ktr84.debug|Recv: login:"}));
}
} // namespace
