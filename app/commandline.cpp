#include "app/commandline.h"

#include "commands/reply.h"
#include "commands/request.h"
#include "platform/console.h"
#include "platform/singleinstance.h"

#include <QCoreApplication>

#include <cstdio>

namespace tavex {

namespace {

int finish(const Reply &reply)
{
    const QByteArray text = reply.text.toUtf8();
    std::FILE *stream = reply.status == CommandStatus::Done ? stdout : stderr;
    std::fwrite(text.constData(), 1, size_t(text.size()), stream);
    std::fflush(stream);
    return int(reply.status);
}

} // namespace

int runCommandLine(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    useCallerConsole();
    const auto parsed = parseRequest(QCoreApplication::arguments().mid(1));
    if (const auto *bad = std::get_if<BadUse>(&parsed)) {
        return finish({CommandStatus::BadUse,
                       QStringLiteral("tavex: %1\nVeja \"tavex --help\".\n").arg(bad->reason)});
    }
    const Request &request = std::get<Request>(parsed);
    if (request.verb == Verb::Ajuda)
        return finish({CommandStatus::Done, helpText()});
    if (request.verb == Verb::Versao)
        return finish({CommandStatus::Done, versionText()});

    const SingleInstance::Answer answer = SingleInstance::ask(SingleInstance::standardName(), requestLine(request));
    if (answer.outcome == SingleInstance::Outcome::NotRunning)
        return finish({CommandStatus::NotOpen, QStringLiteral("tavex: o TAVEX não está aberto\n")});
    const std::optional<Reply> reply = parseReply(answer.reply);
    if (!reply)
        return finish({CommandStatus::NotOpen, QStringLiteral("tavex: o TAVEX não respondeu\n")});
    return finish(*reply);
}

} // namespace tavex
