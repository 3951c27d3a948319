#include "commands/request.h"

#include "common/relay.h"

#include <algorithm>
#include <array>

namespace tavex {

namespace {

struct VerbName
{
    Verb verb;
    const char16_t *name;
    bool takesRelay;
};

constexpr std::array<VerbName, 7> kVerbs{{
    {Verb::Ligar, u"ligar", true},
    {Verb::Desligar, u"desligar", true},
    {Verb::Alternar, u"alternar", true},
    {Verb::Estado, u"estado", false},
    {Verb::Mostrar, u"mostrar", false},
    {Verb::Ajuda, u"--help", false},
    {Verb::Versao, u"--version", false},
}};

const QString kJsonOption = QStringLiteral("--json");

QString quoted(const QString &argument)
{
    return u'"' + argument + u'"';
}

// 1 to 8, one digit: no sign, blank or leading zero.
int relayNumber(const QString &argument)
{
    if (argument.size() != 1 || argument[0] < u'1' || argument[0] > u'9')
        return 0;
    const int number = argument[0].unicode() - u'0';
    return isRelayNumber(number) ? number : 0;
}

} // namespace

std::variant<Request, BadUse> parseRequest(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return BadUse{QStringLiteral("falta o comando")};
    const QString &word = arguments.first();
    const auto known = std::find_if(kVerbs.begin(), kVerbs.end(),
                                    [&word](const VerbName &verb) { return word == verb.name; });
    if (known == kVerbs.end())
        return BadUse{QStringLiteral("comando desconhecido: ") + quoted(word)};
    Request request{known->verb};
    qsizetype used = 1;
    if (known->takesRelay) {
        if (arguments.size() < 2)
            return BadUse{QStringLiteral("falta o número do relé")};
        request.relay = relayNumber(arguments[1]);
        if (request.relay == 0)
            return BadUse{QStringLiteral("o relé deve ser um número de 1 a 8: ") + quoted(arguments[1])};
        used = 2;
    } else if (known->verb == Verb::Estado && arguments.size() > 1 && arguments[1] == kJsonOption) {
        request.json = true;
        used = 2;
    }
    if (arguments.size() > used)
        return BadUse{QStringLiteral("argumento a mais: ") + quoted(arguments[used])};
    return request;
}

QByteArray requestLine(const Request &request)
{
    const auto named = std::find_if(kVerbs.begin(), kVerbs.end(),
                                    [&request](const VerbName &verb) { return verb.verb == request.verb; });
    QString line = QString::fromUtf16(named->name);
    if (named->takesRelay)
        line += u' ' + QString::number(request.relay);
    if (request.json)
        line += u' ' + kJsonOption;
    return line.toUtf8() + '\n';
}

std::variant<Request, BadUse> parseRequestLine(QByteArrayView line)
{
    if (!line.endsWith('\n'))
        return BadUse{QStringLiteral("pedido sem fim de linha")};
    const QString text = QString::fromUtf8(line.chopped(1));
    return parseRequest(text.split(u' ', Qt::SkipEmptyParts));
}

QString helpText()
{
    return QStringLiteral(
            "Uso: tavex [comando]\n"
            "\n"
            "Sem comando, abre a janela do TAVEX.\n"
            "Com um comando, entrega-o ao TAVEX aberto e termina:\n"
            "  ligar N          liga o relé N (de 1 a 8)\n"
            "  desligar N       desliga o relé N\n"
            "  alternar N       inverte o relé N\n"
            "  estado           mostra cada relé e a porta\n"
            "  estado --json    o mesmo, em JSON\n"
            "  mostrar          traz a janela do TAVEX à frente\n"
            "  --help           mostra esta ajuda\n"
            "  --version        mostra a versão\n"
            "\n"
            "Saída: 0 feito; 1 a placa não recebeu o comando; 2 uso errado;\n"
            "3 o TAVEX não está aberto; 4 o relé está preso ao seu agendamento.\n");
}

QString versionText()
{
    return QStringLiteral("TAVEX ") + QStringLiteral(TAVEX_VERSION) + u'\n';
}

} // namespace tavex
