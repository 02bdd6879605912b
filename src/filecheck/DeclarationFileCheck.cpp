#include "DeclarationFileCheck.h"

#include "base/NumberText.h"
#include "declaration/DeclarantHeader.h"
#include "declaration/PerceptionKeys.h"
#include "declaration/RecordDesigns.h"
#include "declaration/TextNormalization.h"
#include "declaration/Windows1252.h"
#include "taxid/cCifNif.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>

namespace {

QString field(const char* name) {
    return QString::fromUtf8(name);
}

// The undefined bytes of the code page, and the control bytes, are not printable.
bool isPrintable(unsigned char byte) {
    if (byte < 0x20 || byte == 0x7F)
        return false;
    return byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D;
}

bool isDigitsOnly(QByteArrayView value) {
    return std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isLowerCase(unsigned char byte) {
    return (byte >= 'a' && byte <= 'z') || byte == 0x9A || byte == 0x9C || byte == 0x9E ||
           (byte >= 0xE0 && byte != 0xF7);
}

// What every alphanumeric field may hold besides upper-case letters and digits.
bool isCommonCharacter(unsigned char byte) {
    static const QByteArray kAccepted(" .,-&'/@_\xD1\xC7");
    return (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
           kAccepted.contains(static_cast<char>(byte));
}

class Checker {
public:
    explicit Checker(CheckedDeclaration& result) : m_result(result) {}

    void checkLine(int number, const QByteArray& line, bool endsInCrLf);
    void checkCounts();
    /** A record on its own, as the declaration of its own model, exercise and declarant that it names. */
    void checkLoneRecord(const QByteArray& record);

private:
    // Views into the line: the check reads tens of fields of each of tens of thousands of records.
    QByteArrayView at(int first, int last) const {
        return QByteArrayView(m_line).sliced(first - 1, last - first + 1);
    }
    template <typename Id>
    QByteArrayView at(Id id) const {
        const FieldDesign& design = m_design->field(id);
        return at(design.first, design.last);
    }
    template <typename Id>
    QString text(Id id) const {
        return Windows1252::decode(at(id));
    }
    void report(int first, int last, const QString& name, const QString& what,
                FileProblem::Severity severity = FileProblem::Severity::Error);
    void report(const FieldDesign& design, const QString& what,
                FileProblem::Severity severity = FileProblem::Severity::Error) {
        report(design.first, design.last, QString::fromUtf8(design.name), what, severity);
    }
    template <typename Id>
    void report(Id id, const QString& what, FileProblem::Severity severity = FileProblem::Severity::Error) {
        report(m_design->field(id), what, severity);
    }
    template <typename Id>
    qint64 amount(Id sign, Id digits) const {
        const qint64 cents = at(digits).toLongLong();
        return at(sign) == "N" ? -cents : cents;
    }

    bool is190() const { return m_result.model == QLatin1String("190"); }
    QString party() const;
    QString supplierNif() const;
    void checkBytes();
    void checkFields();
    void checkNumeric(const FieldDesign& design);
    void checkAlphanumeric(const FieldDesign& design);
    void checkOneOf(const FieldDesign& design, char other);
    template <typename Id>
    void checkSameDeclaration();
    template <typename Id>
    void checkNif(Id id);
    template <typename Id>
    void checkProvince(Id id, bool abroadAllowed);

    void checkHeader();
    void checkIdentity();
    void checkContact();
    void checkPerceptor();
    void checkKey(const QString& key);
    void checkRate(const QString& key, qint64 paid, qint64 withheld, bool ceutaOrMelilla);
    void checkSupplier();

    CheckedDeclaration& m_result;
    const RecordDesign* m_design = nullptr;
    QByteArray m_line;
    int m_number = 0;
    // The perceptor or supplier of a type 2 record, by NIF and name, for its problems to name.
    QString m_party;
    int m_headers = 0;
    QList<qint64> m_sums;
    qint64 m_headerCount = 0;
};

void Checker::report(int first, int last, const QString& name, const QString& what,
                     FileProblem::Severity severity) {
    m_result.problems.append({m_number, m_party, first, last, name, what, severity});
}

void Checker::checkLine(int number, const QByteArray& line, bool endsInCrLf) {
    m_number = number;
    m_line = line;
    m_party.clear();
    ++m_result.recordsRead;
    if (!endsInCrLf)
        report(0, 0, field("fin de línea"), field("la línea no termina en CR LF"));
    if (line.size() != RecordDesign::kLength) {
        report(
            0, 0, field("longitud"),
            QStringLiteral("mide %1 caracteres en lugar de %2").arg(line.size()).arg(RecordDesign::kLength));
        return;  // its fields are not where they should be
    }
    const char type = line[0];
    m_design = RecordDesigns::of(m_result.model.toLatin1(), type);
    if (type == '2')
        m_party = party();
    checkBytes();
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
    if (is190())
        checkPerceptor();
    else
        checkSupplier();
}

QString Checker::party() const {
    if (is190())
        return text(PerceptorField::PerceptorNif).trimmed() + QLatin1Char(' ') +
               text(PerceptorField::Name).trimmed();
    return supplierNif() + QLatin1Char(' ') + text(DeclaredField::Name).trimmed();
}

// A supplier abroad (province 99) has no Spanish NIF: its country code stands for it.
QString Checker::supplierNif() const {
    using enum DeclaredField;
    return text(Province) == QLatin1String("99") ? text(Country) : text(Nif).trimmed();
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

// Every field of the record's design by its kind.
void Checker::checkFields() {
    for (const FieldDesign& design : m_design->fields()) {
        switch (design.kind) {
            case FieldKind::Numeric:
                checkNumeric(design);
                break;
            case FieldKind::Alphanumeric:
                checkAlphanumeric(design);
                break;
            case FieldKind::Sign:
                checkOneOf(design, 'N');
                break;
            case FieldKind::Mark:
                checkOneOf(design, 'X');
                break;
        }
    }
}

void Checker::checkNumeric(const FieldDesign& design) {
    const QByteArrayView value = at(design.first, design.last);
    if (isDigitsOnly(value))
        return;
    const QString shown = Windows1252::decode(value).trimmed();
    // A telephone typed short leaves blanks: what it lacks is said as the office says it.
    if (design.id == static_cast<int>(DeclarantField::Telephone) && m_line.startsWith('1') &&
        isDigitsOnly(QByteArrayView(value).trimmed())) {
        report(
            design,
            QStringLiteral("«%1»: el teléfono debe tener 9 cifras (tiene %2)").arg(shown).arg(shown.size()));
        return;
    }
    if (!value.contains(' '))
        report(design, QStringLiteral("«%1» no son solo cifras").arg(shown));
    else if (shown.isEmpty())
        report(design, QStringLiteral("hay blancos en un campo numérico"));
    else
        report(design, QStringLiteral("«%1»: hay blancos en un campo numérico").arg(shown));
}

// A character outside the common ones may still pass, but an accented vowel is refused. Control bytes
// and lower-case letters are the whole line's errors already.
void Checker::checkAlphanumeric(const FieldDesign& design) {
    for (int position = design.first; position <= design.last; ++position) {
        const auto byte = static_cast<unsigned char>(m_line[position - 1]);
        if (isCommonCharacter(byte) || !isPrintable(byte) || isLowerCase(byte))
            continue;
        const QString character = Windows1252::decode(QByteArray(1, static_cast<char>(byte)));
        if (isAccentedVowel(character.front()))
            report(position, position, QString::fromUtf8(design.name),
                   QStringLiteral("la vocal acentuada «%1» no está admitida").arg(character));
        else
            report(position, position, QString::fromUtf8(design.name),
                   QStringLiteral("la Agencia puede no aceptar el carácter «%1»").arg(character),
                   FileProblem::Severity::Warning);
    }
}

// A sign holds a blank or "N"; a mark a blank or "X".
void Checker::checkOneOf(const FieldDesign& design, char other) {
    const char value = m_line[design.first - 1];
    if (value != ' ' && value != other)
        report(design, QStringLiteral("«%1» no es un espacio ni «%2»")
                           .arg(Windows1252::decode(QByteArray(1, value)), QChar::fromLatin1(other)));
}

template <typename Id>
void Checker::checkSameDeclaration() {
    if (at(2, 4) != QByteArrayView(m_result.model.toLatin1()))
        report(2, 4, field("modelo"),
               QStringLiteral("«%1» no es el modelo del primer registro").arg(Windows1252::decode(at(2, 4))));
    if (text(Id::FiscalYear) != m_result.fiscalYear)
        report(Id::FiscalYear,
               QStringLiteral("«%1» no es el ejercicio del primer registro").arg(text(Id::FiscalYear)));
    if (text(Id::DeclarantNif) != m_result.declarantNif)
        report(Id::DeclarantNif, QStringLiteral("«%1» no es el NIF del declarante del primer registro")
                                     .arg(text(Id::DeclarantNif)));
}

template <typename Id>
void Checker::checkNif(Id id) {
    cCifNif check;
    QString nif = text(id);
    check.Entrada(nif);
    if (!check.Correcto())
        report(id, QStringLiteral("«%1» no es un CIF/NIF válido").arg(text(id)));
}

// A code that is not all digits is the numeric field's error already.
template <typename Id>
void Checker::checkProvince(Id id, bool abroadAllowed) {
    if (!isDigitsOnly(at(id)))
        return;
    const int code = text(id).toInt();
    if ((code < 1 || code > 52) && !(abroadAllowed && code == 99))
        report(id, QStringLiteral("«%1» no es un código de provincia%2")
                       .arg(text(id), abroadAllowed ? QStringLiteral(" (01 a 52 o 99)")
                                                    : QStringLiteral(" (01 a 52)")));
}

void Checker::checkHeader() {
    using enum DeclarantField;
    checkFields();
    checkNif(DeclarantNif);
    checkIdentity();
    checkContact();
    if (is190()) {
        m_result.totals = {amount(TotalSign, Total), at(TotalWithheld).toLongLong()};
        const QString email = text(Email).trimmed();
        if (email.isEmpty())
            report(Email, field("está en blanco: la Agencia no podrá escribir a la persona de contacto"),
                   FileProblem::Severity::Warning);
        else if (!isShapedLikeAnEmail(email))
            report(Email, QStringLiteral("«%1» no es una dirección de correo electrónico").arg(email));
    } else {
        if (!isDigitsOnly(at(PropertyCount)) || at(PropertyCount).toLongLong() != 0 ||
            !isDigitsOnly(at(PropertyAmount)) || at(PropertyAmount).toLongLong() != 0)
            report(m_design->field(PropertyCount).first, m_design->field(PropertyAmount).last,
                   field("inmuebles"), field("no se declaran inmuebles: han de ser ceros"));
        m_result.totals = {amount(TotalSign, Total)};
    }
    m_sums = QList<qint64>(m_result.totals.size(), 0);
    m_headerCount = at(RecordCount).toLongLong();
}

// The agency knows a declaration by its number, which begins with the model's code; a complementary or
// substitutive one names the declaration it adds to or replaces.
void Checker::checkIdentity() {
    using enum DeclarantField;
    const QByteArray model = m_result.model.toLatin1();
    const QByteArrayView number = at(DeclarationNumber);
    m_result.declarationNumber = text(DeclarationNumber);
    if (!number.startsWith(model))
        report(DeclarationNumber, QStringLiteral("«%1» no empieza por %2, el código del modelo")
                                      .arg(m_result.declarationNumber, m_result.model));
    else if (number.sliced(3) == QByteArrayView("0000000000"))
        report(DeclarationNumber,
               QStringLiteral("«%1» no es el número de ninguna declaración: sus 10 últimas "
                              "cifras son ceros")
                   .arg(m_result.declarationNumber));
    const QByteArrayView kind =
        at(m_design->field(ComplementaryMark).first, m_design->field(SubstitutiveMark).last);
    const QByteArrayView previous = at(PreviousNumber);
    if (kind == QByteArrayView("  ")) {
        if (previous != QByteArrayView("0000000000000"))
            report(PreviousNumber,
                   field("en una declaración que no es complementaria ni sustitutiva han de ser "
                         "ceros"));
    } else if (kind == QByteArrayView("C ") || kind == QByteArrayView(" S")) {
        if (!previous.startsWith(model))
            report(PreviousNumber, QStringLiteral("«%1» no empieza por %2, el código del modelo")
                                       .arg(text(PreviousNumber), m_result.model));
        else if (previous == number)
            report(PreviousNumber, field("es el número de esta misma declaración"));
    } else {
        report(m_design->field(ComplementaryMark).first, m_design->field(SubstitutiveMark).last,
               field("tipo de declaración"),
               QStringLiteral("«%1» no es «C » (complementaria), « S» (sustitutiva) ni dos blancos")
                   .arg(Windows1252::decode(kind)));
    }
}

// The agency calls the person of the type 1 record: the example data of the windows reach nobody.
void Checker::checkContact() {
    using enum DeclarantField;
    if (text(Telephone) == kExampleTelephone)
        report(Telephone,
               QStringLiteral("«%1» es el número de ejemplo, no el de la persona de contacto")
                   .arg(text(Telephone)),
               FileProblem::Severity::Warning);
    const QString person = text(ContactPerson).trimmed();
    m_result.contactPerson = person;
    m_result.contactTelephone = text(Telephone);
    if (person.isEmpty())
        report(ContactPerson, field("está en blanco"));
    else if (person == recordName(kExampleContactPerson))
        report(ContactPerson,
               QStringLiteral("«%1» es el nombre de ejemplo, no el de la persona de contacto").arg(person),
               FileProblem::Severity::Warning);
}

void Checker::checkPerceptor() {
    using enum PerceptorField;
    checkSameDeclaration<PerceptorField>();
    checkFields();
    checkNif(PerceptorNif);
    checkProvince(Province, false);
    const QString key = text(Key);
    checkKey(key);
    const bool ceutaOrMelilla =
        (text(Province) == QLatin1String("51") || text(Province) == QLatin1String("52")) &&
        key == QLatin1String("F02");
    if (at(CeutaOrMelilla) != (ceutaOrMelilla ? "1" : "0"))
        report(CeutaOrMelilla,
               QStringLiteral("ha de ser «%1» para la provincia %2 y la clave %3")
                   .arg(ceutaOrMelilla ? QStringLiteral("1") : QStringLiteral("0"), text(Province), key));
    checkRate(key, amount(PaidSign, Paid), at(Withheld).toLongLong(), ceutaOrMelilla);
    DeclaredRecord record{text(PerceptorNif).trimmed(),
                          text(Name).trimmed(),
                          text(Province),
                          key,
                          {amount(PaidSign, Paid), at(Withheld).toLongLong()}};
    m_sums[0] += record.amounts[0];
    m_sums[1] += record.amounts[1];
    m_result.declared.append(record);
}

// The keys and subkeys of the design that a centre's supplier withholdings can carry; the design's others
// come from payroll, which this program does not declare.
void Checker::checkKey(const QString& key) {
    using enum PerceptorField;
    if (!(key[0] >= QLatin1Char('A') && key[0] <= QLatin1Char('L') && key[1].isDigit() && key[2].isDigit()))
        report(Key, QStringLiteral("«%1» no es una letra de la A a la L y dos cifras").arg(key));
    else if (QStringLiteral("ABCDEJL").contains(key[0]) && !isDeclaredKey(key))
        report(Key,
               QStringLiteral("la clave %1 no la declara este programa, que solo declara retenciones a "
                              "proveedores (F, G, H, I, K y L01)")
                   .arg(key),
               FileProblem::Severity::Warning);
    else if (!isDeclaredKey(key))
        report(Key, QStringLiteral("«%1» no es una clave y subclave del diseño de registro").arg(key));
}

// The office may know better than the law's rate for a key, so a rate far from it is only a warning; Ceuta
// and Melilla have rates of their own.
void Checker::checkRate(const QString& key, qint64 paid, qint64 withheld, bool ceutaOrMelilla) {
    constexpr double kFarFromTheLaw = 1.0;  // percentage points
    const std::optional<double> legal = legalRate(key);
    if (!legal || ceutaOrMelilla || paid <= 0)
        return;
    const double rate = static_cast<double>(withheld) * 100 / static_cast<double>(paid);
    if (std::abs(rate - *legal) > kFarFromTheLaw)
        report(m_design->field(PerceptorField::Paid).first, m_design->field(PerceptorField::Withheld).last,
               field("retenciones"),
               QStringLiteral("el tipo es del %1 y la ley fija el %2 para la clave %3: revise la clave")
                   .arg(spanishPercent(rate), spanishPercent(*legal), key),
               FileProblem::Severity::Warning);
}

void Checker::checkSupplier() {
    using enum DeclaredField;
    const bool abroad = text(Province) == QLatin1String("99");
    checkSameDeclaration<DeclaredField>();
    checkFields();
    if (abroad) {
        if (at(Nif) != QByteArrayView("         "))
            report(Nif, field("ha de estar en blanco para la provincia 99"));
    } else {
        checkNif(Nif);
    }
    checkProvince(Province, true);
    const char key = at(OperationKey)[0];
    if (key < 'A' || key > 'G')
        report(OperationKey,
               QStringLiteral("«%1» no es una letra de la A a la G").arg(QChar::fromLatin1(key)));
    const qint64 yearly = amount(YearlySign, Yearly);
    QList<qint64> amounts{yearly};
    qint64 quarters = 0;
    for (int quarter = 0; quarter < 4; ++quarter) {
        amounts.append(amount(quarterFields(quarter).sign, quarterFields(quarter).amount));
        quarters += amounts.last();
    }
    amounts.append(amount(CashBasisSign, CashBasis));
    const bool cashBasis = at(CashBasisMark) == "X";
    const int quartersFirst = m_design->field(quarterFields(0).sign).first;
    const int quartersLast = m_design->field(quarterFields(3).amount).last;
    if (cashBasis && quarters != 0)
        report(quartersFirst, quartersLast, field("importes trimestrales"),
               field("con el criterio de caja han de ser cero"));
    if (!cashBasis && quarters != yearly)
        report(quartersFirst, quartersLast, field("importes trimestrales"),
               QStringLiteral("suman %1 céntimos y el importe anual es de %2").arg(quarters).arg(yearly));
    m_sums[0] += yearly;
    m_result.declared.append({supplierNif(), text(Name).trimmed(), text(Province),
                              QString(QChar::fromLatin1(key)), amounts, cashBasis});
}

void Checker::checkLoneRecord(const QByteArray& record) {
    m_sums = {0, 0};
    if (record.startsWith('1'))
        m_headers = -1;  // the type 1 record of its own file, not a second one
    checkLine(record.startsWith('1') ? 1 : 2, record, true);
}

// The type 1 record's count and totals against the records that follow it.
void Checker::checkCounts() {
    if (m_headers == 0)
        return;
    using enum DeclarantField;
    m_number = 1;
    m_party.clear();
    m_design = RecordDesigns::of(m_result.model.toLatin1(), '1');
    const auto compare = [&](DeclarantField id, qint64 stated, qint64 actual) {
        if (stated != actual)
            report(id, QStringLiteral("dice %1 y los registros de tipo 2 suman %2").arg(stated).arg(actual));
    };
    compare(RecordCount, m_headerCount, m_result.declared.size());
    compare(Total, m_result.totals.value(0), m_sums.value(0));
    if (is190())
        compare(TotalWithheld, m_result.totals.value(1), m_sums.value(1));
}

}  // namespace

QString FileProblem::text() const {
    QString where = QStringLiteral("Registro %1").arg(record);
    if (!party.isEmpty())
        where += QStringLiteral(" (%1)").arg(party);
    if (first == last && first != 0)
        where += QStringLiteral(", posición %1").arg(first);
    else if (first != 0)
        where += QStringLiteral(", posiciones %1-%2").arg(first).arg(last);
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
    result.declarantName = Windows1252::decode(content.mid(17, 40)).trimmed();
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

QList<FileProblem> checkRecord(const QByteArray& record) {
    CheckedDeclaration result;
    result.model = QString::fromLatin1(record.mid(1, 3));
    result.fiscalYear = QString::fromLatin1(record.mid(4, 4));
    result.declarantNif = QString::fromLatin1(record.mid(8, 9));
    if (record.isEmpty() || !RecordDesigns::of(record.mid(1, 3), record.at(0)))
        return {{1, QString(), 1, 4, field("tipo de registro y modelo"),
                 field("no es un registro del modelo 190 ni del 347")}};
    Checker(result).checkLoneRecord(record);
    return result.problems;
}

std::optional<QByteArray> readWholeFile(const QString& path, QString& failure) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        failure = QStringLiteral("No se puede leer el fichero %1: %2")
                      .arg(QDir::toNativeSeparators(path), file.errorString());
        return std::nullopt;
    }
    return file.readAll();
}

std::optional<CheckedDeclaration> checkDeclarationFileAt(const QString& path, QString& failure) {
    const std::optional<QByteArray> content = readWholeFile(path, failure);
    if (!content)
        return std::nullopt;
    std::optional<CheckedDeclaration> checked = checkDeclarationFile(*content);
    if (!checked)
        failure = QStringLiteral("El fichero %1 no es una declaración del modelo 190 ni del 347.")
                      .arg(QDir::toNativeSeparators(path));
    return checked;
}
