#include "DeclarationFileCheck.h"

#include "declaration/DeclarantHeader.h"
#include "taxid/cCifNif.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

namespace {

constexpr int kRecordLength = 500;

struct Span {
    int first;
    int last;
    const char* field;
};

// The fields that hold digits only, and the sign positions, of each record.
constexpr Span kHeaderDigits[] = {{5, 8, "ejercicio"},
                                  {108, 120, "número de la declaración"},
                                  {123, 135, "número de la declaración anterior"},
                                  {136, 144, "número de registros"},
                                  {146, 160, "importe total"}};
constexpr Span kHeaderNames[] = {{18, 57, "nombre del declarante"}, {68, 107, "persona de contacto"}};

constexpr Span k190HeaderDigits[] = {{161, 175, "total de retenciones"}};
constexpr Span k190HeaderSigns[] = {{145, 145, "signo del importe total"}};
constexpr Span k190Digits[] = {{5, 8, "ejercicio"},
                               {82, 94, "percepción íntegra"},
                               {95, 107, "retenciones"},
                               {109, 121, "percepciones en especie"},
                               {122, 134, "ingresos a cuenta"},
                               {135, 147, "ingresos a cuenta repercutidos"},
                               {148, 151, "ejercicio de devengo"},
                               {153, 157, "datos adicionales"},
                               {167, 168, "datos adicionales"},
                               {170, 254, "datos adicionales"}};
constexpr Span k190Signs[] = {{81, 81, "signo de la percepción"},
                              {108, 108, "signo de las percepciones en especie"}};

constexpr Span k347HeaderDigits[] = {{161, 169, "número de inmuebles"}, {171, 185, "importe de inmuebles"}};
constexpr Span k347HeaderSigns[] = {{145, 145, "signo del importe total"}, {170, 170, "signo de inmuebles"}};
constexpr Span k347Digits[] = {{5, 8, "ejercicio"},
                               {84, 98, "importe anual"},
                               {101, 115, "importe en metálico"},
                               {117, 131, "importe de inmuebles"},
                               {132, 135, "ejercicio en metálico"},
                               {137, 151, "primer trimestre"},
                               {153, 167, "inmuebles del primer trimestre"},
                               {169, 183, "segundo trimestre"},
                               {185, 199, "inmuebles del segundo trimestre"},
                               {201, 215, "tercer trimestre"},
                               {217, 231, "inmuebles del tercer trimestre"},
                               {233, 247, "cuarto trimestre"},
                               {249, 263, "inmuebles del cuarto trimestre"},
                               {285, 299, "importe del criterio de caja"}};
constexpr Span k347Signs[] = {
    {83, 83, "signo del importe anual"},       {116, 116, "signo de inmuebles"},
    {136, 136, "signo del primer trimestre"},  {152, 152, "signo de inmuebles del primer trimestre"},
    {168, 168, "signo del segundo trimestre"}, {184, 184, "signo de inmuebles del segundo trimestre"},
    {200, 200, "signo del tercer trimestre"},  {216, 216, "signo de inmuebles del tercer trimestre"},
    {232, 232, "signo del cuarto trimestre"},  {248, 248, "signo de inmuebles del cuarto trimestre"},
    {284, 284, "signo del criterio de caja"}};
constexpr int kQuarterStarts[] = {136, 168, 200, 232};

QString field(const char* name) {
    return QString::fromUtf8(name);
}

// The undefined bytes of the code page, and the control bytes, are not printable.
bool isPrintable(unsigned char byte) {
    if (byte < 0x20 || byte == 0x7F)
        return false;
    return byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D;
}

bool isDigitsOnly(const QByteArray& value) {
    return std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isLowerCase(unsigned char byte) {
    return (byte >= 'a' && byte <= 'z') || byte == 0x9A || byte == 0x9C || byte == 0x9E ||
           (byte >= 0xE0 && byte != 0xF7);
}

bool isAcceptedInName(unsigned char byte) {
    static const QByteArray kAccepted(" .,-&'/\xD1\xC7");
    return (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
           kAccepted.contains(static_cast<char>(byte));
}

class Checker {
public:
    explicit Checker(CheckedDeclaration& result) : m_result(result) {}

    void checkLine(int number, const QByteArray& line, bool endsInCrLf);
    void checkCounts();

private:
    QByteArray at(int first, int last) const { return m_line.mid(first - 1, last - first + 1); }
    QString text(int first, int last) const { return QString::fromLatin1(at(first, last)); }
    void report(int first, int last, const QString& name, const QString& what,
                FileProblem::Severity severity = FileProblem::Severity::Error);

    void checkBytes();
    void checkSameDeclaration();
    template <size_t N>
    void checkDigits(const Span (&spans)[N]);
    template <size_t N>
    void checkSigns(const Span (&spans)[N]);
    void checkNif(int first, int last, const QString& name);
    void checkName(int first, int last, const QString& name);
    void checkProvince(int first, int last, bool abroadAllowed);
    qint64 amount(int sign, int first, int last) const;

    void checkHeader();
    void checkContact();
    void checkPerceptor();
    void checkSupplier();

    CheckedDeclaration& m_result;
    QByteArray m_line;
    int m_number = 0;
    int m_headers = 0;
    QList<qint64> m_sums;
    qint64 m_headerCount = 0;
};

void Checker::report(int first, int last, const QString& name, const QString& what,
                     FileProblem::Severity severity) {
    m_result.problems.append({m_number, first, last, name, what, severity});
}

void Checker::checkLine(int number, const QByteArray& line, bool endsInCrLf) {
    m_number = number;
    m_line = line;
    ++m_result.recordsRead;
    if (!endsInCrLf)
        report(0, 0, field("fin de línea"), field("la línea no termina en CR LF"));
    if (line.size() != kRecordLength) {
        report(0, 0, field("longitud"),
               QStringLiteral("mide %1 caracteres en lugar de %2").arg(line.size()).arg(kRecordLength));
        return;  // its fields are not where they should be
    }
    checkBytes();
    const char type = line[0];
    if (number == 1 && type != '1')
        report(1, 1, field("tipo de registro"), field("el primer registro no es de tipo 1"));
    if (type == '1') {
        if (++m_headers > 1 || number != 1)
            report(1, 1, field("tipo de registro"),
                   field("solo puede haber un registro de tipo 1, el primero"));
        if (number == 1)
            checkHeader();
        return;
    }
    if (type != '2') {
        report(1, 1, field("tipo de registro"),
               QStringLiteral("«%1» no es un tipo de registro").arg(QChar::fromLatin1(type)));
        return;
    }
    checkSameDeclaration();
    if (m_result.model == QLatin1String("190"))
        checkPerceptor();
    else
        checkSupplier();
}

void Checker::checkBytes() {
    for (int i = 0; i < m_line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(m_line[i]);
        if (!isPrintable(byte)) {
            report(i + 1, i + 1, field("carácter"),
                   QStringLiteral("el byte 0x%1 no es un carácter imprimible de Windows-1252")
                       .arg(byte, 2, 16, QLatin1Char('0')));
            return;
        }
    }
    for (int i = 0; i < m_line.size(); ++i) {
        if (isLowerCase(static_cast<unsigned char>(m_line[i]))) {
            report(i + 1, i + 1, field("carácter"), field("hay letras minúsculas"));
            return;
        }
    }
}

void Checker::checkSameDeclaration() {
    if (text(2, 4) != m_result.model)
        report(2, 4, field("modelo"),
               QStringLiteral("«%1» no es el modelo del primer registro").arg(text(2, 4)));
    if (text(5, 8) != m_result.fiscalYear)
        report(5, 8, field("ejercicio"),
               QStringLiteral("«%1» no es el ejercicio del primer registro").arg(text(5, 8)));
    if (text(9, 17) != m_result.declarantNif)
        report(9, 17, field("NIF del declarante"),
               QStringLiteral("«%1» no es el NIF del declarante del primer registro").arg(text(9, 17)));
}

template <size_t N>
void Checker::checkDigits(const Span (&spans)[N]) {
    for (const Span& span : spans) {
        const QByteArray value = at(span.first, span.last);
        if (!isDigitsOnly(value))
            report(span.first, span.last, field(span.field),
                   QStringLiteral("«%1» no son solo cifras").arg(QString::fromLatin1(value)));
    }
}

template <size_t N>
void Checker::checkSigns(const Span (&spans)[N]) {
    for (const Span& span : spans) {
        const char sign = m_line[span.first - 1];
        if (sign != ' ' && sign != 'N')
            report(span.first, span.last, field(span.field),
                   QStringLiteral("«%1» no es un espacio ni «N»").arg(QChar::fromLatin1(sign)));
    }
}

void Checker::checkNif(int first, int last, const QString& name) {
    QString nif = text(first, last);
    cCifNif check;
    check.Entrada(nif);
    if (!check.Correcto())
        report(first, last, name, QStringLiteral("«%1» no es un CIF/NIF válido").arg(text(first, last)));
}

void Checker::checkName(int first, int last, const QString& name) {
    QStringDecoder decoder("windows-1252");
    for (int i = first; i <= last; ++i) {
        const auto byte = static_cast<unsigned char>(m_line[i - 1]);
        if (!isAcceptedInName(byte)) {
            report(i, i, name,
                   QStringLiteral("la Agencia puede no aceptar el carácter «%1»")
                       .arg(decoder.decode(QByteArray(1, static_cast<char>(byte)))),
                   FileProblem::Severity::Warning);
        }
    }
}

void Checker::checkProvince(int first, int last, bool abroadAllowed) {
    const int code = text(first, last).toInt();
    if (!isDigitsOnly(at(first, last)) || ((code < 1 || code > 52) && !(abroadAllowed && code == 99)))
        report(first, last, field("provincia"),
               QStringLiteral("«%1» no es un código de provincia%2")
                   .arg(text(first, last),
                        abroadAllowed ? QStringLiteral(" (01 a 52 o 99)") : QStringLiteral(" (01 a 52)")));
}

qint64 Checker::amount(int sign, int first, int last) const {
    const qint64 cents = at(first, last).toLongLong();
    return sign > 0 && m_line[sign - 1] == 'N' ? -cents : cents;
}

void Checker::checkHeader() {
    const bool is190 = m_result.model == QLatin1String("190");
    checkDigits(kHeaderDigits);
    checkNif(9, 17, field("NIF del declarante"));
    for (const Span& span : kHeaderNames)
        checkName(span.first, span.last, field(span.field));
    checkContact();
    if (is190) {
        checkDigits(k190HeaderDigits);
        checkSigns(k190HeaderSigns);
        m_result.totals = {amount(145, 146, 160), amount(0, 161, 175)};
    } else {
        checkDigits(k347HeaderDigits);
        checkSigns(k347HeaderSigns);
        if (at(161, 169) != QByteArray(9, '0') || at(171, 185) != QByteArray(15, '0'))
            report(161, 185, field("inmuebles"), field("no se declaran inmuebles: han de ser ceros"));
        m_result.totals = {amount(145, 146, 160)};
    }
    m_sums = QList<qint64>(m_result.totals.size(), 0);
    m_headerCount = at(136, 144).toLongLong();
}

// The agency calls the person at positions 59-107: the example data of the windows reach nobody.
void Checker::checkContact() {
    const QString telephone = text(59, 67);
    if (!isDigitsOnly(at(59, 67)))
        report(59, 67, field("teléfono de contacto"),
               QStringLiteral("«%1»: el teléfono debe tener 9 cifras").arg(telephone.trimmed()));
    else if (telephone == kExampleTelephone)
        report(59, 67, field("teléfono de contacto"),
               QStringLiteral("«%1» es el número de ejemplo, no el de la persona de contacto").arg(telephone),
               FileProblem::Severity::Warning);
    const QString person = text(68, 107).trimmed();
    if (person.isEmpty())
        report(68, 107, field("persona de contacto"), field("está en blanco"));
    else if (person == recordName(kExampleContactPerson))
        report(68, 107, field("persona de contacto"),
               QStringLiteral("«%1» es el nombre de ejemplo, no el de la persona de contacto").arg(person),
               FileProblem::Severity::Warning);
}

void Checker::checkPerceptor() {
    checkDigits(k190Digits);
    checkSigns(k190Signs);
    checkNif(18, 26, field("NIF del perceptor"));
    checkName(36, 75, field("nombre del perceptor"));
    checkProvince(76, 77, false);
    const QString key = text(78, 80);
    if (!(key[0] >= QLatin1Char('A') && key[0] <= QLatin1Char('L') && key[1].isDigit() && key[2].isDigit()))
        report(78, 80, field("clave y subclave"),
               QStringLiteral("«%1» no es una letra de la A a la L y dos cifras").arg(key));
    const bool ceutaOrMelilla =
        (text(76, 77) == QLatin1String("51") || text(76, 77) == QLatin1String("52")) &&
        key == QLatin1String("F02");
    if (m_line[151] != (ceutaOrMelilla ? '1' : '0'))
        report(152, 152, field("Ceuta o Melilla"),
               QStringLiteral("ha de ser «%1» para la provincia %2 y la clave %3")
                   .arg(ceutaOrMelilla ? QStringLiteral("1") : QStringLiteral("0"), text(76, 77), key));
    DeclaredRecord record{text(18, 26).trimmed(),
                          text(36, 75).trimmed(),
                          text(76, 77),
                          key,
                          {amount(81, 82, 94), amount(0, 95, 107)}};
    m_sums[0] += record.amounts[0];
    m_sums[1] += record.amounts[1];
    m_result.declared.append(record);
}

void Checker::checkSupplier() {
    checkDigits(k347Digits);
    checkSigns(k347Signs);
    const bool abroad = text(77, 78) == QLatin1String("99");
    if (abroad) {
        if (at(18, 26) != QByteArray(9, ' '))
            report(18, 26, field("NIF del declarado"), field("ha de estar en blanco para la provincia 99"));
    } else {
        checkNif(18, 26, field("NIF del declarado"));
    }
    checkName(36, 75, field("nombre del declarado"));
    checkProvince(77, 78, true);
    const char key = m_line[81];
    if (key < 'A' || key > 'G')
        report(82, 82, field("clave de operación"),
               QStringLiteral("«%1» no es una letra de la A a la G").arg(QChar::fromLatin1(key)));
    const qint64 yearly = amount(83, 84, 98);
    QList<qint64> amounts{yearly};
    qint64 quarters = 0;
    for (const int sign : kQuarterStarts) {
        amounts.append(amount(sign, sign + 1, sign + 15));
        quarters += amounts.last();
    }
    amounts.append(amount(284, 285, 299));
    const bool cashBasis = m_line[280] == 'X';
    if (m_line[280] != 'X' && m_line[280] != ' ')
        report(281, 281, field("criterio de caja"), field("ha de ser «X» o un espacio"));
    if (cashBasis && quarters != 0)
        report(136, 263, field("importes trimestrales"), field("con el criterio de caja han de ser cero"));
    if (!cashBasis && quarters != yearly)
        report(136, 263, field("importes trimestrales"),
               QStringLiteral("suman %1 céntimos y el importe anual es de %2").arg(quarters).arg(yearly));
    m_sums[0] += yearly;
    m_result.declared.append({abroad ? text(79, 80) : text(18, 26).trimmed(), text(36, 75).trimmed(),
                              text(77, 78), QString(QChar::fromLatin1(key)), amounts, cashBasis});
}

// The type 1 record's count and totals against the records that follow it.
void Checker::checkCounts() {
    if (m_headers == 0)
        return;
    m_number = 1;
    const auto compare = [&](int first, int last, const char* name, qint64 stated, qint64 actual) {
        if (stated != actual)
            report(first, last, field(name),
                   QStringLiteral("dice %1 y los registros de tipo 2 suman %2").arg(stated).arg(actual));
    };
    compare(136, 144, "número de registros", m_headerCount, m_result.declared.size());
    if (m_result.model == QLatin1String("190")) {
        compare(146, 160, "importe total de las percepciones", m_result.totals.value(0), m_sums.value(0));
        compare(161, 175, "total de retenciones", m_result.totals.value(1), m_sums.value(1));
    } else {
        compare(145, 160, "importe total", m_result.totals.value(0), m_sums.value(0));
    }
}

}  // namespace

QString FileProblem::text() const {
    QString where;
    if (first == 0)
        where = QStringLiteral("Registro %1").arg(record);
    else if (first == last)
        where = QStringLiteral("Registro %1, posición %2").arg(record).arg(first);
    else
        where = QStringLiteral("Registro %1, posiciones %2-%3").arg(record).arg(first).arg(last);
    return QStringLiteral("%1 (%2): %3: %4.")
        .arg(where, field, severity == Severity::Error ? QStringLiteral("error") : QStringLiteral("aviso"),
             what);
}

int CheckedDeclaration::errorCount() const {
    return static_cast<int>(std::count_if(problems.begin(), problems.end(), [](const FileProblem& p) {
        return p.severity == FileProblem::Severity::Error;
    }));
}

int CheckedDeclaration::warningCount() const {
    return static_cast<int>(problems.size()) - errorCount();
}

QString CheckedDeclaration::summaryLine() const {
    return QStringLiteral("Registros leídos: %1; declarados: %2; errores: %3; avisos: %4.")
        .arg(recordsRead)
        .arg(declared.size())
        .arg(errorCount())
        .arg(warningCount());
}

std::optional<CheckedDeclaration> checkDeclarationFile(const QByteArray& content) {
    const QByteArray model = content.mid(1, 3);
    if (content.isEmpty() || content[0] != '1' || (model != "190" && model != "347"))
        return std::nullopt;
    CheckedDeclaration result;
    result.model = QString::fromLatin1(model);
    result.fiscalYear = QString::fromLatin1(content.mid(4, 4));
    result.declarantNif = QString::fromLatin1(content.mid(8, 9));
    QStringDecoder decoder("windows-1252");
    result.declarantName = QString(decoder.decode(content.mid(17, 40))).trimmed();
    Checker checker(result);
    int number = 0;
    qsizetype start = 0;
    while (start < content.size()) {
        const qsizetype end = content.indexOf('\n', start);
        QByteArray line = content.mid(start, end < 0 ? -1 : end - start);
        const bool endsInCrLf = end >= 0 && line.endsWith('\r');
        if (endsInCrLf)
            line.chop(1);
        checker.checkLine(++number, line, endsInCrLf);
        start = end < 0 ? content.size() : end + 1;
    }
    checker.checkCounts();
    return result;
}

std::optional<CheckedDeclaration> checkDeclarationFileAt(const QString& path, QString& failure) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        failure = QStringLiteral("No se puede leer el fichero %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    std::optional<CheckedDeclaration> checked = checkDeclarationFile(file.readAll());
    if (!checked)
        failure = QStringLiteral("El fichero %1 no es una declaración del modelo 190 ni del 347.").arg(path);
    return checked;
}
