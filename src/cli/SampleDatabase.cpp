#include "SampleDatabase.h"

#include "access/AccountingDatabase.h"
#include "db/AccountingSchema.h"
#include "db/Clock.h"
#include "taxid/cCifNif.h"

#include <QDate>
#include <QFile>
#include <QSet>

#include <optional>
#include <random>

namespace {

const char* const kCompanyKinds[] = {"Suministros",    "Papelería",      "Limpiezas",       "Talleres",
                                     "Construcciones", "Distribuciones", "Librería",        "Ferretería",
                                     "Transportes",    "Asesoría",       "Imprenta",        "Electricidad",
                                     "Fontanería",     "Informática",    "Material Escolar"};
const char* const kCompanyNames[] = {
    "Ñandú",        "García",          "del Norte",       "Hermanos López (Hnos.)",
    "L'Hospitalet", "\"La Estrella\"", "Castilla",        "Núñez",
    "Ibérica",      "Sánchez e Hijos", "Cª Mediterránea", "Nº 1",
    "Ávila",        "Úbeda",           "[El Faro]",       "Peña & Cía"};
const char* const kCompanyForms[] = {", S.L.", ", S.A.", " S.Coop.", ", S.L.U.", ""};
const char* const kSurnames[] = {"Álvarez", "Gómez", "Muñoz", "Pérez",   "Martínez", "Ibáñez", "Ortega",
                                 "Ruiz",    "Núñez", "Úbeda", "Sánchez", "Castaño",  "Peña",   "Díaz"};
const char* const kGivenNames[] = {"Ángel", "María José", "Íñigo", "Begoña", "Úrsula", "José Mª",
                                   "Raúl",  "Inés",       "Nuria", "Óscar",  "Zoë",    "Ana"};
const char* const kProvinces[] = {"28", "08", "41", "46", "29", "48", "50", "51", "33", "15", "30", "07"};
const char* const kAccounts[][2] = {{"400000", "Proveedores"},
                                    {"410000", "Acreedores por prestaciones de servicios"},
                                    {"472000", "IVA soportado"},
                                    {"475100", "HP acreedora por retenciones practicadas"}};
const int kWithholdingRates[] = {15, 7, 1, 19};
constexpr int kForcedLargeSuppliers = 7;

template <size_t N>
QString pickFrom(const char* const (&list)[N], size_t index) {
    return QString::fromUtf8(list[index % N]);
}

class SampleGenerator {
public:
    SampleGenerator(Database& db, const SampleOptions& options)
        : m_db(db), m_options(options), m_rng(options.seed), m_year(Clock::declarationYear()) {}

    void generate();

private:
    struct Supplier {
        QString nif;
        QString name;
        QVariant postalCode;
        bool small = false;
    };

    int below(int n) { return static_cast<int>(m_rng() % static_cast<quint64>(n)); }
    double euros(int minCents, int maxCents) { return (minCents + below(maxCents - minCents + 1)) / 100.0; }
    QString dayOf(int year) {
        const QDate first(year, 1, 1);
        return first.addDays(below(first.daysInYear())).toString(Qt::ISODate);
    }

    // With a history of several years, most rows fall in a year before the declaration year.
    std::optional<int> earlierYear() {
        if (m_options.years <= 1 || below(m_options.years) == 0)
            return std::nullopt;
        return m_year - 1 - below(m_options.years - 1);
    }

    QString withControl(const QString& body, const QString& candidates);
    QString newIdentifier(bool person);
    QString personName();
    QString companyName();
    QString postalCode() {
        return pickFrom(kProvinces, m_rng()) + QStringLiteral("%1").arg(below(1000), 3, 10, QLatin1Char('0'));
    }

    void addFixedRows();
    void addSuppliers();
    void addEntries();
    void addEntry(const Supplier& supplier, double amount, const QString& invoiced, const QVariant& paid,
                  const QVariant& group = {});
    void addCashBasisCandidate();
    void addWithholdings();
    void addFaults();

    Database& m_db;
    SampleOptions m_options;
    std::mt19937_64 m_rng;
    int m_year;
    QList<Supplier> m_suppliers;
    QSet<QString> m_usedIdentifiers;
    qint64 m_nextEntry = 1;
    int m_entriesWritten = 0;
};

// Tries the control characters in turn and keeps the first one that the validator accepts.
QString SampleGenerator::withControl(const QString& body, const QString& candidates) {
    cCifNif check;
    for (const QChar control : candidates) {
        QString identifier = body + control;
        QString checked = identifier;
        check.Entrada(checked);
        if (check.Correcto())
            return identifier;
    }
    qFatal("no control character fits %s", qPrintable(body));
}

QString SampleGenerator::newIdentifier(bool person) {
    static const QString kLetters = QStringLiteral("TRWAGMYFPDXBNJZSQVHLCKE");
    static const QString kCifControls = QStringLiteral("0123456789ABCDEFGHIJ");
    static const QString kOrganisations = QStringLiteral("ABBBBBEFGHJNPQS");
    for (;;) {
        QString identifier;
        const int kind = below(10);
        if (person && kind < 2)
            identifier =
                withControl(QStringLiteral("X%1").arg(below(10000000), 7, 10, QLatin1Char('0')), kLetters);
        else if (person)
            identifier =
                withControl(QStringLiteral("%1").arg(below(100000000), 8, 10, QLatin1Char('0')), kLetters);
        else
            identifier = withControl(kOrganisations[below(static_cast<int>(kOrganisations.size()))] +
                                         QStringLiteral("%1").arg(below(10000000), 7, 10, QLatin1Char('0')),
                                     kCifControls);
        if (!m_usedIdentifiers.contains(identifier)) {
            m_usedIdentifiers.insert(identifier);
            return identifier;
        }
    }
}

QString SampleGenerator::personName() {
    return pickFrom(kSurnames, m_rng()) + QLatin1Char(' ') + pickFrom(kSurnames, m_rng()) +
           QStringLiteral(", ") + pickFrom(kGivenNames, m_rng());
}

QString SampleGenerator::companyName() {
    QString name = pickFrom(kCompanyKinds, m_rng()) + QLatin1Char(' ') + pickFrom(kCompanyNames, m_rng()) +
                   pickFrom(kCompanyForms, m_rng());
    return below(8) == 0 ? name.toLower() : name;  // the package keeps what was typed
}

void SampleGenerator::addFixedRows() {
    m_db.execute(QStringLiteral("insert into Centro (NIF, Nombre) values (?, ?)"),
                 {withControl(QStringLiteral("Q2800000"), QStringLiteral("ABCDEFGHIJ")),
                  QStringLiteral("Centro Público María Moliner")});
    m_db.execute(
        QStringLiteral(
            "insert into config (tipo, a, b, c, d, e, f, g, h) values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {QStringLiteral("Font"), QStringLiteral("Arial"), QStringLiteral("9"), 0, 0, 0, 0, QVariant(), 0});
    for (const auto& account : kAccounts)
        m_db.execute(QStringLiteral("insert into contra (cuenta, descripcion) values (?, ?)"),
                     {QString::fromUtf8(account[0]), QString::fromUtf8(account[1])});
    m_db.execute(QStringLiteral("Create table IVA (iuprincipal Text, iuiva Text, nif text)"));
}

void SampleGenerator::addSuppliers() {
    const int professionals = std::max(6, m_options.suppliers / 10);
    for (int i = 0; i < m_options.suppliers; ++i) {
        const bool professional = i >= m_options.suppliers - professionals;
        const bool person = professional || below(10) < 3;
        Supplier supplier;
        supplier.nif = newIdentifier(person);
        supplier.name = person ? personName() : companyName();
        supplier.postalCode = postalCode();
        supplier.small = i >= kForcedLargeSuppliers && !professional && i % 5 >= 3;
        m_suppliers.append(supplier);
    }
    // One professional in Ceuta, so that the Ceuta and Melilla mark shows.
    m_suppliers[m_options.suppliers - professionals].postalCode = QStringLiteral("51001");
    for (const Supplier& s : std::as_const(m_suppliers))
        m_db.execute(QStringLiteral("insert into provedores (nif, nombre, codpost) values (?, ?, ?)"),
                     {s.nif, s.name, s.postalCode});
}

void SampleGenerator::addEntry(const Supplier& supplier, double amount, const QString& invoiced,
                               const QVariant& paid, const QVariant& group) {
    m_db.execute(QStringLiteral("insert into TdApt (iu, NifProv, cantidad, f_factura, f_pago, grupo) "
                                "values (?, ?, ?, ?, ?, ?)"),
                 {m_nextEntry++, supplier.nif, amount, invoiced, paid, group});
    ++m_entriesWritten;
}

// A supplier whose invoices and payments fall in different years, as a
// cash-basis VAT supplier's would: invoiced in December, paid in January.
void SampleGenerator::addCashBasisCandidate() {
    const Supplier& supplier = m_suppliers[1];
    addEntry(supplier, 4200.00, QStringLiteral("%1-12-15").arg(m_year - 1),
             QStringLiteral("%1-01-20").arg(m_year));
    addEntry(supplier, 3650.40, QStringLiteral("%1-12-10").arg(m_year),
             QStringLiteral("%1-01-15").arg(m_year + 1));
    addEntry(supplier, 980.25, QStringLiteral("%1-06-10").arg(m_year),
             QStringLiteral("%1-06-30").arg(m_year));
}

void SampleGenerator::addEntries() {
    QList<int> large;
    QList<int> small;
    for (int i = 0; i < m_suppliers.size(); ++i)
        (m_suppliers[i].small ? small : large).append(i);
    addCashBasisCandidate();
    // A few entries of a negative group: they take their supplier out of Modelo 347.
    for (const int i : {5, 6})
        addEntry(m_suppliers[i], -euros(1000, 20000), dayOf(m_year), QVariant(dayOf(m_year)), -1);
    while (m_entriesWritten < m_options.entries) {
        const bool toSmall = !small.isEmpty() && below(100) < 15;
        const Supplier& supplier = m_suppliers[toSmall ? small[below(static_cast<int>(small.size()))]
                                                       : large[below(static_cast<int>(large.size()))]];
        const std::optional<int> earlier = earlierYear();
        const int yearRoll = earlier ? 0 : below(100);
        const int year = earlier ? *earlier : yearRoll < 8 ? m_year - 1 : yearRoll < 12 ? m_year + 1 : m_year;
        const QString invoiced =
            year == m_year + 1
                ? QStringLiteral("%1-01-%2").arg(year).arg(1 + below(28), 2, 10, QLatin1Char('0'))
                : dayOf(year);
        const QDate paidDate = QDate::fromString(invoiced, Qt::ISODate).addDays(below(75));
        const QVariant paid = below(20) == 0 ? QVariant() : QVariant(paidDate.toString(Qt::ISODate));
        const QVariant group = below(3) == 0 ? QVariant() : QVariant(below(4));
        const double amount = toSmall ? euros(500, 12000) : euros(5000, 150000);
        const qint64 mainEntry = m_nextEntry;
        addEntry(supplier, amount, invoiced, paid, group);
        if (below(20) == 0 && m_entriesWritten < m_options.entries) {
            // The VAT line of the entry, listed in IVA as the package does.
            m_db.execute(QStringLiteral("insert into IVA (iuprincipal, iuiva, nif) values (?, ?, ?)"),
                         {QString::number(mainEntry), QString::number(m_nextEntry), supplier.nif});
            addEntry(supplier, std::round(amount * 21) / 100, invoiced, paid, group);
        }
    }
}

void SampleGenerator::addWithholdings() {
    const int professionals = std::max(6, m_options.suppliers / 10);
    for (int p = 0; p < professionals; ++p) {
        const Supplier& supplier = m_suppliers[m_options.suppliers - professionals + p];
        const bool withoutWithholding = p == professionals - 1;
        const int rate = kWithholdingRates[p % 4];
        const int count = 1 + below(6);
        for (int n = 0; n < count; ++n) {
            const int year = earlierYear().value_or(n == 0 && p % 3 == 2 ? m_year - 1 : m_year);
            const double paid = withoutWithholding ? 0 : euros(20000, 200000);
            const double withheld = std::round(paid * rate) / 100;
            const double paidWithout = withoutWithholding || below(5) == 0 ? euros(5000, 50000) : 0;
            m_db.execute(QStringLiteral("insert into Irpf (Nif, Nombre, f_apunte, integr, irp, noreten) "
                                        "values (?, ?, ?, ?, ?, ?)"),
                         {supplier.nif, supplier.name, dayOf(year), paid, withheld, paidWithout});
        }
    }
}

// The data that the declarations must refuse to write as they are.
void SampleGenerator::addFaults() {
    const int professionals = std::max(6, m_options.suppliers / 10);
    const QString withheldNif = m_suppliers[m_options.suppliers - professionals + 1].nif;
    m_db.execute(QStringLiteral("update provedores set codpost = null where nif = ?"), {withheldNif});
    m_db.execute(QStringLiteral("update provedores set codpost = '' where nif = ?"), {m_suppliers[0].nif});
    const QString doubtful[] = {QStringLiteral("12345678z"), QStringLiteral("Y1234567L"),
                                QStringLiteral("B12345675")};
    for (int i = 0; i < 3; ++i) {
        const QString& old = m_suppliers[2 + i].nif;
        m_db.execute(QStringLiteral("update TdApt set NifProv = ? where NifProv = ?"), {doubtful[i], old});
        m_db.execute(QStringLiteral("update IVA set nif = ? where nif = ?"), {doubtful[i], old});
        m_db.execute(QStringLiteral("update provedores set nif = ? where nif = ?"), {doubtful[i], old});
    }
}

void SampleGenerator::generate() {
    m_db.beginTransaction();
    try {
        addFixedRows();
        addSuppliers();
        addEntries();
        addWithholdings();
        if (m_options.faults)
            addFaults();
        m_db.commit();
    } catch (...) {
        m_db.rollback();
        throw;
    }
}

}  // namespace

void createSampleDatabase(const QString& path, const SampleOptions& options) {
    auto db = Database::create(path, DbConnect);
    try {
        db->executeNativeScript(accountingSchemaSql());
        SampleGenerator(*db, options).generate();
    } catch (...) {
        db->close();
        QFile::remove(path);
        throw;
    }
}
