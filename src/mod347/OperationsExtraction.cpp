#include "OperationsExtraction.h"

#include "Mod347Statements.h"
#include "base/UserInterface.h"
#include "db/Database.h"
#include "db/SkipOnFailure.h"
#include "declaration/DeclarationMessages.h"

#include <QRegularExpression>

bool isPlainDecimal(const QString& text) {
    static const QRegularExpression plain(QStringLiteral(R"(^ *[+-]?(\d+\.?\d*|\.\d+) *$)"));
    return plain.match(text).hasMatch();
}

std::optional<QString> readThreshold(const QString& typed) {
    static const QRegularExpression groupsOfThree(QStringLiteral(R"(^\+?\d{1,3}(\.\d{3})+$)"));
    QString text = typed.trimmed();
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma >= 0)
        text = text.left(comma).remove(QLatin1Char('.')) + QLatin1Char('.') + text.mid(comma + 1);
    else if (groupsOfThree.match(text).hasMatch())
        text.remove(QLatin1Char('.'));
    if (!isPlainDecimal(text) || text.startsWith(QLatin1Char('-')))
        return std::nullopt;
    return text;
}

bool SelectOperations(Database& db, const QString& threshold, UserInterface& ui) {
    const QString selection = Mod347Statements::selection(threshold);
    // The selection is read here to see whether it is empty, then saved as Stper and copied into
    // TStper from that view: the copy takes the rows just read rather than running it again.
    Database::ReusingResults reuse(db);
    std::optional<bool> empty;
    skipOnFailure([&] { empty = db.openRecordset(selection).eof(); });
    if (empty.value_or(false)) {
        DeclarationMessages::tellNothingAboveTheThreshold(ui);
        return false;
    }
    skipOnFailure([&] { db.deleteQueryDef(QStringLiteral("Stper")); });
    skipOnFailure([&] { db.createQueryDef(QStringLiteral("Stper"), selection); });
    skipOnFailure([&] { db.deleteTable(QStringLiteral("TStper")); });
    skipOnFailure([&] { db.execute(Mod347Statements::kMakeSelectionTable); });
    skipOnFailure([&] { db.deleteQueryDef(QStringLiteral("NifNO")); });
    skipOnFailure(
        [&] { db.createQueryDef(QStringLiteral("NifNO"), Mod347Statements::kSuppliersWithNegativeGroups); });
    skipOnFailure([&] { db.execute(Mod347Statements::kRemoveSuppliersWithNegativeGroups); });
    skipOnFailure([&] { db.deleteQueryDef(QStringLiteral("Stper")); });
    skipOnFailure(
        [&] { db.createQueryDef(QStringLiteral("Stper"), Mod347Statements::kSelectionTableQuery); });
    return true;
}

std::optional<int> CountDeclaredSuppliers(Database& db, const QString& threshold, UserInterface& ui) {
    Recordset counted = db.openRecordset(Mod347Statements::count(threshold));
    if (counted.eof()) {
        DeclarationMessages::tellNothingAboveTheThreshold(ui);
        return std::nullopt;
    }
    counted.moveLast();
    counted.moveFirst();
    return counted.recordCount();
}
