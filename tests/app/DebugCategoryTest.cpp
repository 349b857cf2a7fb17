// The developers' trace goes to the logging category ktr84.debug, off unless
// switched on.
#include <QLoggingCategory>
#include <QStringList>
#include <gtest/gtest.h>

#include "app/DebugCategory.h"
#include "platform/DebugOutput.h"

namespace {
QStringList g_messages;

void Collect(QtMsgType, const QMessageLogContext& context, const QString& strText) {
    g_messages << QString("%1|%2").arg(context.category, strText);
}

TEST(DebugCategory, TracesReachTheCategoryOnlyWhenSwitchedOn) {
    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(Collect);
    InstallDebugCategory();

    DebugOutput("CSComDoc::WriteCommString(): reset\r\n");
    EXPECT_TRUE(g_messages.isEmpty()); // off by default

    // A rule ending in ".debug" names the message type, hence the doubled name.
    QLoggingCategory::setFilterRules("ktr84.debug.debug=true");
    DebugOutput("CSComDoc::WriteCommString(): reset\r\n");
    DebugOutput("Recv: login:");
    QLoggingCategory::setFilterRules("");
    DebugOutput("Recv: after switching off\n");

    qInstallMessageHandler(previous);
    SetDebugSink({});
    EXPECT_EQ(g_messages, (QStringList{"ktr84.debug|CSComDoc::WriteCommString(): reset\r",
                                       "ktr84.debug|Recv: login:"}));
}
} // namespace
