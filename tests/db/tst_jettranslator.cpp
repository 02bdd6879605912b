#include "db/DbError.h"
#include "db/jet/JetTranslator.h"

#include <QTest>

class TestJetTranslator : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void translates_data();
    void translates();
    void selectIntoNamesItsTable();
    void namesTheSourceReadWhole_data();
    void namesTheSourceReadWhole();
    void refuses_data();
    void refuses();
};

void TestJetTranslator::translates_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");

    QTest::newRow("date literal") << "select a from t where d between #04/01/2015# and #06/30/2015#"
                                  << "select a AS \"a\" from t where d between '2015-04-01' and '2015-06-30'";
    QTest::newRow("date literal, one-digit month") << "select a from t where d = #4/1/2015#"
                                                   << "select a AS \"a\" from t where d = '2015-04-01'";
    QTest::newRow("date literal with time") << "select a from t where d < #12/31/2015 10:30:00#"
                                            << "select a AS \"a\" from t where d < '2015-12-31 10:30:00'";
    QTest::newRow("two-digit years, either side of 1930")
        << "select a from t where d between #1/1/95# and #12/31/29#"
        << "select a AS \"a\" from t where d between '1995-01-01' and '2029-12-31'";
    QTest::newRow("two-digit year 30") << "select a from t where d = #2/3/30#"
                                       << "select a AS \"a\" from t where d = '1930-02-03'";
    QTest::newRow("distinctrow over one table keeps every row")
        << "select distinctrow [Order Details].a from [Order Details]"
        << "select [Order Details].a AS \"a\" from [Order Details]";
    QTest::newRow("distinctrow over a join")
        << "select distinctrow t.a from t inner join u on t.a = u.a"
        << "select DISTINCT t.a AS \"a\" from t inner join u on t.a = u.a";
    QTest::newRow("bare Now") << "select a from t where Year(d) = Year(Now) -1"
                              << "select a AS \"a\" from t where Year(d) = Year(Now()) -1";
    QTest::newRow("Now called") << "select Now() as n"
                                << "select Now() as n";
    QTest::newRow("isnull") << "select a from t where isnull(c) or c = ''"
                            << "select a AS \"a\" from t where ((c) IS NULL) or c = ''";
    QTest::newRow("not isnull with spaces") << "select a from t where not isnull(p.codpost )"
                                            << "select a AS \"a\" from t where not ((p.codpost ) IS NULL)";
    QTest::newRow("delete star") << "delete * from tmptb190 where princp < 0"
                                 << "delete  from tmptb190 where princp < 0";
    QTest::newRow("division") << "update t set c = 'F02' where reten*100/princp > 14.9"
                              << "update t set c = 'F02' where reten*100*1.0/princp > 14.9";
    QTest::newRow("unnamed columns") << "select count(*) from t"
                                     << "select count(*) AS Expr1000 from t";
    QTest::newRow("named and plain columns keep their names")
        << "select q.Nif, sum(x) as S, 'A', n from t"
        << "select q.Nif AS \"Nif\", sum(x) as S, 'A' AS Expr1002, n AS \"n\" from t";
    QTest::newRow("distinct") << "SELECT DISTINCT nifprov From TdApt"
                              << "SELECT DISTINCT nifprov AS \"nifprov\" From TdApt";
    QTest::newRow("union order by qualified name")
        << "select q.a, 1 as k from q union all select q.a, 2 as k from q order by q.a, k"
        << "select q.a AS \"a\", 1 as k from q union all select q.a, 2 as k from q order by q.a COLLATE "
           "JETTEXT, k COLLATE JETTEXT";
    QTest::newRow("Right as a function")
        << "select Right(nif, 3) from t right join u on t.a = u.a"
        << "select \"Right\"(nif, 3) AS Expr1000 from t right join u on t.a = u.a";
    QTest::newRow("order by position sorts as Jet")
        << "select a from t order by 1 ASC"
        << "select a AS \"a\" from t order by 1 COLLATE JETTEXT ASC";
    QTest::newRow("order by direction") << "select a from t order by a DESC"
                                        << "select a AS \"a\" from t order by a COLLATE JETTEXT DESC";
    QTest::newRow("double-quoted text") << "select a from t where tipo=\"Font\""
                                        << "select a AS \"a\" from t where tipo='Font'";
    QTest::newRow("true and false") << "select a from t where a = True or b = False"
                                    << "select a AS \"a\" from t where a = -1 or b = 0";
    QTest::newRow("ampersand") << "select a & b from t"
                               << "select JetConcat(a, b) AS Expr1000 from t";
    QTest::newRow("like and not like")
        << "select a from t where a like 'x*' and b not like '[!a]#' order by a"
        << "select a AS \"a\" from t where (JetLike(a, 'x*') AND NOT JetLike(b, '[!a]#')) order by a COLLATE "
           "JETTEXT";
    QTest::newRow("Jet's precedence")
        << "select x Mod 2 * y, p \\ 2, 2 ^ -n from t where q between 1 and 2 & 3 or not r is null"
        << "select JetMod(x, (2 * y)) AS Expr1000, JetIntDiv(p, 2) AS Expr1001, JetPower(2, - n) AS Expr1002 "
           "from t where ((q BETWEEN 1 AND JetConcat(2, 3)) OR NOT (r IS NULL))";
    QTest::newRow("yes and no") << "select a from t where a = Yes or b = No"
                                << "select a AS \"a\" from t where a = -1 or b = 0";
    QTest::newRow("create table types")
        << "Create table IVA (iuprincipal Text, iuiva Text, nif text)"
        << "Create table IVA (iuprincipal TEXT COLLATE NOCASE, iuiva TEXT COLLATE "
           "NOCASE, nif TEXT COLLATE NOCASE)";
    QTest::newRow("create table sizes and numbers")
        << "create table t (a Text(50), b Long, c Double, d DateTime)"
        << "create table t (a TEXT COLLATE NOCASE, b INTEGER, c REAL, d TEXT)";
    QTest::newRow("minus minus is no comment") << "select 1 - -1 as x"
                                               << "select 1 - -1 as x";
    QTest::newRow("text is left alone") << "select 'a/b #1# isnull(x) now' as x"
                                        << "select 'a/b #1# isnull(x) now' as x";
    QTest::newRow("top without order") << "select top 5 a from t"
                                       << "select  a AS \"a\" from t LIMIT 5";
    QTest::newRow("top with order counts the ties")
        << "select top 2 a & b from t where c > 0 order by a desc;"
        << "select  JetConcat(a, b) AS Expr1000 from t where c > 0 order by a COLLATE JETTEXT desc LIMIT "
           "(SELECT count(*) FROM (SELECT RANK() OVER (ORDER BY a COLLATE JETTEXT desc) AS jet_rank, "
           "count(*) "
           "OVER () AS jet_rows from t where c > 0) WHERE jet_rank <= 2);";
    QTest::newRow("top with isnull")
        << "select top 2 nif from provedores where isnull(codpost) or nif <> ''"
        << "select  nif AS \"nif\" from provedores where ((codpost) IS NULL) or nif "
           "<> '' LIMIT 2";
    QTest::newRow("top with isnull and now, in order")
        << "select top 1 a from t where not isnull(d) and d < now order by isnull(e), a"
        << "select  a AS \"a\" from t where not ((d) IS NULL) and d < now() order by ((e) IS NULL) COLLATE "
           "JETTEXT, a COLLATE JETTEXT LIMIT (SELECT count(*) FROM (SELECT RANK() OVER (ORDER BY ((e) IS "
           "NULL) "
           "COLLATE JETTEXT, a COLLATE JETTEXT) AS jet_rank, count(*) OVER () AS jet_rows from t where not "
           "((d) "
           "IS NULL) and d < now()) WHERE jet_rank <= 1)";
    QTest::newRow("top with the other rewritten words and signs")
        << "select top 3 right(a, 2), b / 2 from t where c = true and d like 'x*' and e > #01/31/2025#"
        << "select  \"Right\"(a, 2) AS Expr1000, b *1.0/ 2 AS Expr1001 from t where (((c = -1) AND "
           "JetLike(d, 'x*')) AND (e > '2025-01-31')) LIMIT 3";
    QTest::newRow("top percent without order") << "select distinct top 10 percent a from t"
                                               << "select distinct  a AS \"a\" from t LIMIT (SELECT "
                                                  "(count(*) * 10 + 99) / 100 FROM (select distinct  a "
                                                  "AS \"a\" from t))";
    QTest::newRow("subquery keeps its columns")
        << "select a from t where a in (select count(*) from u)"
        << "select a AS \"a\" from t where a in (select count(*) from u)";
}

void TestJetTranslator::translates() {
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    const JetStatement statement = translateJet(jet);
    QCOMPARE(statement.sql, sqlite);
    QVERIFY(statement.intoTable.isEmpty());
}

void TestJetTranslator::selectIntoNamesItsTable() {
    const JetStatement statement = translateJet(
        QStringLiteral("select '000000000' as NIF,space(50) as Nombre into ErrorNIF from contra"));
    QCOMPARE(statement.intoTable, QStringLiteral("ErrorNIF"));
    QCOMPARE(statement.sql, QStringLiteral("select '000000000' as NIF,space(50) as Nombre  from contra"));
    const JetStatement top = translateJet(QStringLiteral("select top 1 a into T2 from t where isnull(b)"));
    QCOMPARE(top.intoTable, QStringLiteral("T2"));
    QCOMPARE(top.sql, QStringLiteral("select  a AS \"a\"  from t where ((b) IS NULL) LIMIT 1"));
}

void TestJetTranslator::namesTheSourceReadWhole_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("source");
    QTest::newRow("a view") << "Select * from Stper"
                            << "Stper";
    QTest::newRow("copied into a table") << "select * into TStper from Stper;"
                                         << "Stper";
    QTest::newRow("a bracketed name") << "select * from [Mis datos]"
                                      << "Mis datos";
    QTest::newRow("filtered") << "select * from Stper where nif <> ''"
                              << "";
    QTest::newRow("some columns") << "select nif from Stper"
                                  << "";
    QTest::newRow("qualified star") << "select s.* from Stper s"
                                    << "";
    QTest::newRow("the first rows") << "select top 1 * from Stper"
                                    << "";
    QTest::newRow("a join") << "select * from Stper, iva"
                            << "";
}

void TestJetTranslator::namesTheSourceReadWhole() {
    QFETCH(QString, jet);
    QFETCH(QString, source);
    QCOMPARE(translateJet(jet).wholeSource, source);
}

void TestJetTranslator::refuses_data() {
    QTest::addColumn<QString>("jet");
    QTest::newRow("empty") << "   ";
    QTest::newRow("top in a subquery") << "select a from t where a in (select top 1 b from u)";
    QTest::newRow("top in a union") << "select top 1 a from t union select b from u";
    QTest::newRow("top of no rows") << "select top 0 a from t";
    QTest::newRow("top of a fraction") << "select top 1.5 a from t";
    QTest::newRow("top over a hundred percent") << "select top 101 percent a from t";
    QTest::newRow("top with distinct and order") << "select distinct top 1 a from t order by a";
    QTest::newRow("top outside a select") << "delete top 1 from t";
    QTest::newRow("two statements") << "delete from t; delete from u";
    QTest::newRow("unbalanced open") << "select (a from t";
    QTest::newRow("unbalanced close") << "select a) from t";
    QTest::newRow("unterminated text") << "select 'abc from t";
    QTest::newRow("bad date") << "select a from t where d = #13/45/2015#";
    QTest::newRow("not a date") << "select a from t where d = #hello#";
    QTest::newRow("unknown type") << "create table t (a Hyperlink)";
    QTest::newRow("into without table") << "select a into from t";
}

void TestJetTranslator::refuses() {
    QFETCH(QString, jet);
    QVERIFY_THROWS_EXCEPTION(DbError, translateJet(jet));
}

QTEST_GUILESS_MAIN(TestJetTranslator)
#include "tst_jettranslator.moc"
