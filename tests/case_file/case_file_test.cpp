#include "core/number_reading.h"
#include "tests/support/unprivileged_child.h"
#include "document/case_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <bit>
#include <cmath>
#include <cfloat>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <variant>

namespace tarvilo {
namespace {

CaseDocument SampleCase()
{
    CaseDocument document;
    document.inputs = { 0.03, 3.33, 1.0, 10.48, 0.0, QStringLiteral("Error") };
    document.keepCases = true;
    document.kept = { { 0.03, 3.33, 1.0, 10.48, 0.0, 0.5, false }, { 0.05, 3.33, 1.0, 9.0, 0.0, 0.0, false } };
    document.family = CaseFamily{ InputBox::Pcarga, 5.0, QStringLiteral("doce"), 7 };
    document.sizing = CaseSizing{ GoalTarget::V2sup, 0.95, GoalInput::Qcap };
    return document;
}

// Written by hand: the format as the README shows it.
const char *const kSampleText = R"({
  "formato": "tarvilo-caso",
  "version": 1,
  "entradas": {"X": 0.03, "B": 3.33, "Uinf": 1, "Pcarga": 10.48, "Qcarga": 0, "Qcap": "Error"},
  "conservarCurvas": true,
  "casosConservados": [
    {"X": 0.03, "B": 3.33, "Uinf": 1, "Pcarga": 10.48, "Qcarga": 0, "Qcap": 0.5},
    {"X": 0.05, "B": 3.33, "Uinf": 1, "Pcarga": 9, "Qcarga": 0, "Qcap": 0}
  ],
  "familia": {"magnitud": "Pcarga", "primerValor": 5, "ultimoValor": "doce", "valores": 7},
  "dimensionado": {"objetivo": "V2sup", "valorObjetivo": 0.95, "variar": "Qcap"}
}
)";

TEST(CaseFileText, IsTheDocumentedFormat)
{
    EXPECT_EQ(CaseFileText(SampleCase()).toStdString(), kSampleText);
}

TEST(CaseFileText, ReadsBackTheSameCase)
{
    const CaseReading reading = ParseCaseText(kSampleText);
    ASSERT_TRUE(reading.document) << reading.problem.toStdString();
    EXPECT_TRUE(SameCase(*reading.document, SampleCase()));
    EXPECT_EQ(reading.document->kept.size(), 2u);
    EXPECT_EQ(reading.document->kept[0].Qcap, 0.5); // the order kept
    ASSERT_TRUE(reading.document->sizing);
    EXPECT_EQ(reading.document->sizing->target, GoalTarget::V2sup);
    EXPECT_EQ(reading.document->sizing->input, GoalInput::Qcap);
    EXPECT_EQ(std::get<double>(reading.document->sizing->goal), 0.95);
    ASSERT_TRUE(reading.document->family);
    EXPECT_EQ(reading.document->family->count, 7);
    EXPECT_EQ(std::get<QString>(reading.document->family->last), QStringLiteral("doce"));
}

// Values whose shortest text is known independently (the classic cases of
// shortest round-trip printing).
struct ShortestCase
{
    double value;
    const char *text;
};

TEST(CaseFileText, WritesEachNumberInItsShortestExactForm)
{
    const ShortestCase cases[] = {
        { 0.1 + 0.2, "0.30000000000000004" },
        { 1e22, "1e+22" },
        { 5e-324, "5e-324" },
        { DBL_MAX, "1.7976931348623157e+308" },
        { 2.2250738585072014e-308, "2.2250738585072014e-308" },
        { 9007199254740993.0, "9007199254740992" },
        { 123456.789, "123456.789" },
        { -1.5, "-1.5" },
        { 1e-7, "1e-07" },
    };
    for (const auto &[value, text] : cases) {
        CaseDocument document;
        document.inputs.fill(value);
        const QByteArray file = CaseFileText(document);
        EXPECT_TRUE(file.contains(QByteArray("\"X\": ") + text + ",")) << text << "\n" << file.toStdString();
        const CaseReading reading = ParseCaseText(file);
        ASSERT_TRUE(reading.document) << text;
        for (const BoxValue &read : reading.document->inputs) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(std::get<double>(read)), std::bit_cast<std::uint64_t>(value))
                    << text;
        }
    }
}

TEST(CaseFileText, KeepsMinusZeroOfABoxAsItsText)
{
    // Qt reads every JSON zero as +0; the box's "-0" reads as -0 again.
    CaseDocument document;
    document.inputs.fill(-0.0);
    const CaseReading reading = ParseCaseText(CaseFileText(document));
    ASSERT_TRUE(reading.document);
    const QString text = BoxText(reading.document->inputs[0], CommaSettings());
    EXPECT_EQ(text, QStringLiteral("-0"));
    EXPECT_TRUE(std::signbit(*ReadRegionalNumber(text.toStdString(), CommaSettings())));
}

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every double a file can hold comes back bit for bit, minus zero apart
// from zero, in the boxes, in each kept case and in the family's range.
TEST(CaseFileText, ReadsBackEveryDoubleBitForBit)
{
    const double edges[] = {
        -0.0,
        0.0,
        5e-324, // the least subnormal
        -5e-324,
        2.2250738585072009e-308, // the largest subnormal
        DBL_MIN,
        -DBL_MIN,
        DBL_MAX,
        -DBL_MAX,
        std::nextafter(DBL_MAX, 0.0),
        1e308,
        -1e308,
        1e-308,
        5e-310,
        0.1 + 0.2,
        1e22,
        1e23,
        9007199254740993.0,
        9223372036854775808.0, // 2^63, beyond a 64-bit integer
        18446744073709551616.0,
        123456789012345680.0,
        1e-7,
        10.48,
        -1.0 / 3,
    };
    for (const double edge : edges) {
        CaseDocument document;
        document.inputs.fill(edge);
        document.inputs[1] = -0.0; // a value beside it of another kind
        QvInputs kept{ edge, edge, edge, edge, edge, edge, false };
        document.kept = { kept, { 0.03, -0.0, 1.0, edge, -0.0, edge, false } };
        document.family = CaseFamily{ InputBox::Qcap, edge, -0.0, 3 };
        const QByteArray text = CaseFileText(document);
        const CaseReading reading = ParseCaseText(text);
        ASSERT_TRUE(reading.document) << reading.problem.toStdString() << "\n" << text.toStdString();
        const CaseDocument &read = *reading.document;
        for (size_t i = 0; i < read.inputs.size(); ++i) {
            ASSERT_TRUE(std::holds_alternative<double>(read.inputs[i])) << text.toStdString();
            EXPECT_TRUE(SameBits(std::get<double>(read.inputs[i]), std::get<double>(document.inputs[i])))
                    << text.toStdString();
        }
        ASSERT_EQ(read.kept.size(), document.kept.size());
        for (size_t k = 0; k < read.kept.size(); ++k) {
            for (const InputBox box : kInputBoxes) {
                EXPECT_TRUE(SameBits(ValueOf(read.kept[k], box), ValueOf(document.kept[k], box)))
                        << "kept case " << k + 1 << "\n"
                        << text.toStdString();
            }
        }
        ASSERT_TRUE(read.family);
        EXPECT_TRUE(SameBits(std::get<double>(read.family->first), edge)) << text.toStdString();
        EXPECT_TRUE(SameBits(std::get<double>(read.family->last), -0.0)) << text.toStdString();
        // Written again, the same file.
        EXPECT_EQ(CaseFileText(read), text);
    }
}

TEST(BoxText, ReadsBackToTheSameDoubleUnderEitherSeparator)
{
    const double values[] = { 0.03, 0.1 + 0.2, 1e22, 5e-324, DBL_MAX, -0.0, 1e-7, 10.48, -123456.789, 1.0 / 3 };
    for (const RegionalSettings &regional : { PointSettings(), CommaSettings(), RegionalSettings{ ",", "\u202f" } }) {
        for (const double value : values) {
            const QString text = BoxText(value, regional);
            EXPECT_FALSE(text.contains(regional.decimalSeparator == "," ? QLatin1Char('.') : QLatin1Char(',')))
                    << text.toStdString();
            const auto read = ReadRegionalNumber(text.toStdString(), regional);
            ASSERT_TRUE(read) << text.toStdString();
            EXPECT_EQ(std::bit_cast<std::uint64_t>(*read), std::bit_cast<std::uint64_t>(value)) << text.toStdString();
            EXPECT_EQ(std::get<double>(BoxValueOf(text, regional)), value);
        }
    }
    EXPECT_EQ(BoxText(0.03, CommaSettings()), QStringLiteral("0,03"));
    EXPECT_EQ(std::get<QString>(BoxValueOf(QStringLiteral("Error"), CommaSettings())), QStringLiteral("Error"));
    EXPECT_EQ(BoxText(QStringLiteral("1.5"), CommaSettings()), QStringLiteral("1.5")); // a text stays a text
}

TEST(CaseFileText, KeepsAnyTextOfABox)
{
    for (const QString &text : { QString(), QStringLiteral("Error"), QStringLiteral("a\"b\\c\n\td"),
                                 QStringLiteral("señal ñ €"), QString(QChar(1)) }) {
        CaseDocument document;
        document.inputs.fill(text);
        const CaseReading reading = ParseCaseText(CaseFileText(document));
        ASSERT_TRUE(reading.document) << text.toStdString();
        EXPECT_EQ(std::get<QString>(reading.document->inputs[3]), text);
    }
}

std::string Replaced(const std::string &text, const std::string &from, const std::string &to)
{
    std::string result = text;
    const size_t at = result.find(from);
    if (at != std::string::npos)
        result.replace(at, from.size(), to);
    return result;
}

struct BadText
{
    std::string text;
    std::string problem;
};

TEST(ParseCaseText, RefusesABadDocumentSayingWhy)
{
    const std::string good = kSampleText;
    std::string nineKept = good;
    for (int i = 0; i < 7; ++i)
        nineKept = Replaced(
                nineKept, "\"casosConservados\": [",
                "\"casosConservados\": [{\"X\": 1, \"B\": 1, \"Uinf\": 1, \"Pcarga\": 1, \"Qcarga\": 1, \"Qcap\": 1},");
    const BadText cases[] = {
        { "hola", "no es un caso de Tarvilo" },
        { "<?xml version=\"1.0\"?><caso/>", "no es un caso de Tarvilo" },
        { "[1, 2]", "no es un caso de Tarvilo" },
        { "{\"formato\": \"otro\", \"version\": 1}", "no es un caso de Tarvilo" },
        { Replaced(good, "\"formato\": \"tarvilo-caso\",", ""), "no es un caso de Tarvilo" },
        { "", "el archivo está vacío" },
        { " \n", "el archivo está vacío" },
        { good.substr(0, good.size() / 2), "el archivo está incompleto" },
        { Replaced(good, "\"version\": 1", "\"version\": 2"), "versión 2 no admitida" },
        { Replaced(good, "\"version\": 1", "\"version\": 0"), "versión 0 no admitida" },
        { Replaced(good, "\"version\": 1", "\"version\": \"1\""), "su versión no es un número entero" },
        { Replaced(good, "\"version\": 1", "\"version\": 1.5"), "su versión no es un número entero" },
        { Replaced(good, "\"Qcap\": \"Error\"", "\"Qcap\": true"), "el valor de Qcap no es un número" },
        { Replaced(good, "\"Qcap\": \"Error\"", "\"Qcap\": null"), "el valor de Qcap no es un número" },
        { Replaced(good, "\"X\": 0.03", "\"X\": [0.03]"), "el valor de X no es un número" },
        { Replaced(good, ", \"Qcap\": \"Error\"", ""), "falta el valor de Qcap" },
        { Replaced(good, "\"Qcap\": 0.5", "\"Qcap\": \"0.5\""),
          "en el caso conservado 1, el valor de Qcap no es un número" },
        { Replaced(good, "\"Pcarga\": 9,", ""), "en el caso conservado 2, falta el valor de Pcarga" },
        { Replaced(good, "\"X\": 0.03", "\"X\": 1e999"), "el valor de X no es un número finito representable" },
        { Replaced(good, "\"X\": 0.03", "\"X\": -1e400"), "el valor de X no es un número finito representable" },
        { Replaced(good, "\"X\": 0.03", "\"X\": NaN"), "el valor de X no es un número finito representable" },
        { Replaced(good, "\"X\": 0.03", "\"X\": Infinity"), "el valor de X no es un número finito representable" },
        { nineKept, "guarda 9 casos conservados y el programa conserva 8 como mucho" },
        { Replaced(good, "\"casosConservados\": [", "\"casosConservados\": 3, \"otros\": ["),
          "los casos conservados no son una lista" },
        { Replaced(good, "\"entradas\"", "\"inputs\""), "faltan los valores de las entradas" },
        { Replaced(good, "\"conservarCurvas\": true", "\"conservarCurvas\": 1"),
          "el valor de conservarCurvas no es true ni false" },
        { Replaced(good, "\"magnitud\": \"Pcarga\"", "\"magnitud\": \"Pload\""),
          "la magnitud de la familia de curvas no es ninguna de las seis entradas" },
        { Replaced(good, "\"primerValor\": 5", "\"primerValor\": false"),
          "el valor de primerValor no es un número en la familia de curvas" },
        { Replaced(good, "\"valores\": 7", "\"valores\": 26"),
          "el número de valores de la familia de curvas no es un entero de 2 a 25" },
        { Replaced(good, "\"valores\": 7", "\"valores\": 1"),
          "el número de valores de la familia de curvas no es un entero de 2 a 25" },
        { Replaced(good, "\"valores\": 7", "\"valores\": 2.5"),
          "el número de valores de la familia de curvas no es un entero de 2 a 25" },
        { Replaced(good, "\"familia\": {", "\"familia\": 3, \"f\": {"),
          "los datos de la familia de curvas no son un objeto" },
        { Replaced(good, "\"dimensionado\": {", "\"dimensionado\": [], \"d\": {"),
          "los datos del dimensionado no son un objeto" },
        { Replaced(good, "\"objetivo\": \"V2sup\"", "\"objetivo\": \"V2 sup\""),
          "el objetivo del dimensionado no es ninguno de los que el programa conoce" },
        { Replaced(good, "\"variar\": \"Qcap\"", "\"variar\": 6"),
          "la magnitud que varía el dimensionado no es ninguna de las seis entradas" },
        { Replaced(good, "\"valorObjetivo\": 0.95", "\"valorObjetivo\": false"),
          "el valor de valorObjetivo no es un número en el dimensionado" },
        { Replaced(good, "\"variar\": \"Qcap\"", "\"variar\": \"Qcap\", \"variar\": \"X\""),
          "la clave «variar» aparece dos veces en el dimensionado" },
        { good + "x", "no es un caso de Tarvilo" },
        // A key named twice, at every level, whatever the values.
        { Replaced(good, "\"version\": 1,", "\"version\": 1, \"version\": 2,"),
          "la clave «version» aparece dos veces" },
        { Replaced(good, "\"version\": 1,", "\"version\": 1, \"formato\": \"tarvilo-caso\","),
          "la clave «formato» aparece dos veces" },
        { Replaced(good, "\"conservarCurvas\": true,", "\"conservarCurvas\": true, \"conservarCurvas\": true,"),
          "la clave «conservarCurvas» aparece dos veces" },
        { Replaced(good, "\"version\": 1,", "\"version\": 1, \"entradas\": {},"),
          "la clave «entradas» aparece dos veces" },
        { Replaced(good, "\"version\": 1,", "\"version\": 1, \"casosConservados\": [],"),
          "la clave «casosConservados» aparece dos veces" },
        { Replaced(good, "\"version\": 1,", "\"version\": 1, \"familia\": 3,"),
          "la clave «familia» aparece dos veces" },
        { Replaced(good, "\"Qcap\": \"Error\"}", "\"Qcap\": \"Error\", \"Qcap\": 1}"),
          "la clave «Qcap» aparece dos veces en las entradas" },
        { Replaced(good, "\"entradas\": {\"X\": 0.03,", "\"entradas\": {\"X\": 0.03, \"\\u0058\": 0.03,"),
          "la clave «X» aparece dos veces en las entradas" },
        { Replaced(good, "\"Qcap\": 0.5}", "\"Qcap\": 0.5, \"Qcap\": 0.5}"),
          "en el caso conservado 1, la clave «Qcap» aparece dos veces" },
        { Replaced(good, "\"Pcarga\": 9,", "\"Pcarga\": 9, \"Pcarga\": 8,"),
          "en el caso conservado 2, la clave «Pcarga» aparece dos veces" },
        { Replaced(good, "\"magnitud\": \"Pcarga\"", "\"magnitud\": \"Pcarga\", \"magnitud\": \"X\""),
          "la clave «magnitud» aparece dos veces en la familia de curvas" },
        { Replaced(good, "\"valores\": 7", "\"valores\": 7, \"valores\": 7"),
          "la clave «valores» aparece dos veces en la familia de curvas" },
        { Replaced(good, "\"version\": 1,", "\"version\": 1, \"otro\": [{\"a\\\"b\": 1, \"a\\\"b\": [\"]\"]}],"),
          "la clave «a\"b» aparece dos veces dentro de «otro»" },
        { Replaced(good, "\"version\": 1,",
                   "\"version\": 1, \"" + std::string(50, 'k') + "\": 1, \"" + std::string(50, 'k') + "\": 2,"),
          "la clave «" + std::string(40, 'k') + "…» aparece dos veces" },
    };
    for (const auto &[text, problem] : cases) {
        const CaseReading reading = ParseCaseText(QByteArray::fromStdString(text));
        EXPECT_FALSE(reading.document) << text;
        EXPECT_EQ(reading.problem.toStdString(), problem) << text;
    }
}

// Minus zero is a number only as the writer spells it; any other text in a
// kept case is still refused.
// A case without a sizing, as every earlier file, opens without one.
TEST(ParseCaseText, OpensACaseWithoutASizing)
{
    const std::string text = Replaced(
            kSampleText,
            ",\n  \"dimensionado\": {\"objetivo\": \"V2sup\", \"valorObjetivo\": 0.95, \"variar\": \"Qcap\"}", "");
    const CaseReading reading = ParseCaseText(QByteArray::fromStdString(text));
    ASSERT_TRUE(reading.document) << reading.problem.toStdString();
    EXPECT_FALSE(reading.document->sizing);
    EXPECT_TRUE(reading.document->family);
}

TEST(ParseCaseText, ReadsMinusZeroOnlyAsWritten)
{
    for (const char *text : { "\"-0.0\"", "\"- 0\"", "\"−0\"", "\"+0\"", "\"0\"", "\" -0\"" }) {
        const std::string file = Replaced(kSampleText, "\"Qcap\": 0.5", std::string("\"Qcap\": ") + text);
        const CaseReading reading = ParseCaseText(QByteArray::fromStdString(file));
        EXPECT_FALSE(reading.document) << text;
        EXPECT_EQ(reading.problem.toStdString(), "en el caso conservado 1, el valor de Qcap no es un número") << text;
    }
}

// Keys alike but not the same, or the same in different objects, are no
// repetition.
TEST(ParseCaseText, TakesKeysThatDifferOrStandInOtherObjects)
{
    const std::string good = kSampleText;
    for (const std::string &text :
         { good, Replaced(good, "\"version\": 1,", "\"version\": 1, \"Version\": 2, \"version \": 3,"),
           Replaced(good, "\"version\": 1,", "\"version\": 1, \"otro\": {\"version\": 1, \"X\": 2},"),
           Replaced(good, "\"version\": 1,", "\"version\": 1, \"otro\": [{\"a\": 1}, {\"a\": 2}],"),
           Replaced(good, "\"version\": 1,", "\"version\": 1, \"a\": \"\\\"a\\\": 1, \\\"a\\\"\",") }) {
        const CaseReading reading = ParseCaseText(QByteArray::fromStdString(text));
        EXPECT_TRUE(reading.document) << reading.problem.toStdString() << "\n" << text;
    }
}

TEST(ParseCaseText, CallsEveryCutOfAGoodFileIncomplete)
{
    // Every byte counts, also inside a multi-byte character.
    CaseDocument document = SampleCase();
    document.inputs[5] = QStringLiteral("añ€");
    const QByteArray whole = CaseFileText(document);
    ASSERT_TRUE(ParseCaseText(whole).document);
    for (qsizetype length = 1; length < whole.size() - 1; ++length) {
        const QByteArray cut = whole.left(length);
        const CaseReading reading = ParseCaseText(cut);
        EXPECT_FALSE(reading.document) << cut.toStdString();
        if (cut.trimmed().isEmpty())
            continue;
        EXPECT_EQ(reading.problem.toStdString(), "el archivo está incompleto") << cut.toStdString();
    }
}

// Files on disk: what is refused before any parsing, each message naming
// the file with its full path.
class CaseFileOnDisk : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir m_folder;
};

TEST_F(CaseFileOnDisk, ReadsAGoodFile)
{
    const CaseReading reading = ReadCaseFile(write(QStringLiteral("bueno.tarvilo"), kSampleText));
    ASSERT_TRUE(reading.document);
    EXPECT_TRUE(SameCase(*reading.document, SampleCase()));
}

TEST_F(CaseFileOnDisk, RefusesWhatIsNoCaseFile)
{
    // Just over the limit, a good document padded with blanks: refused by its size alone.
    QByteArray large = kSampleText;
    large += QByteArray(kMaxCaseFileSize + 1 - large.size(), ' ');
    QByteArray justFits = kSampleText;
    justFits += QByteArray(kMaxCaseFileSize - justFits.size(), ' ');
    EXPECT_TRUE(ReadCaseFile(write(QStringLiteral("cabe.tarvilo"), justFits)).document);
    QDir(m_folder.path()).mkdir(QStringLiteral("carpeta.tarvilo"));
    const struct
    {
        QString path;
        const char *problem;
    } cases[] = {
        { write(QStringLiteral("grande.tarvilo"), large),
          "el archivo es demasiado grande para ser un caso (más de 1 MiB)" },
        { m_folder.filePath(QStringLiteral("carpeta.tarvilo")), "es una carpeta, no un archivo" },
        { m_folder.filePath(QStringLiteral("falta.tarvilo")), "el archivo no existe" },
        { QStringLiteral("/dev/zero"), "no es un archivo normal" },
        { write(QStringLiteral("vacio.tarvilo"), QByteArray()), "el archivo está vacío" },
    };
    for (const auto &[path, problem] : cases) {
        const CaseReading reading = ReadCaseFile(path);
        EXPECT_FALSE(reading.document);
        EXPECT_EQ(reading.problem.toStdString(), problem);
    }
}

TEST(CaseFileOnDiskSystem, DoesNotWaitOnTheKernelsLog)
{
    // An empty-looking file whose reading waits for kernel messages (as root).
    const QString kernelLog = QStringLiteral("/proc/kmsg");
    if (!QFileInfo::exists(kernelLog))
        GTEST_SKIP() << "no /proc here";
    EXPECT_EQ(ReadCaseFile(kernelLog).problem.toStdString(), "el archivo está vacío");
}

TEST_F(CaseFileOnDisk, RefusesAFileItMayNotRead)
{
    const QString path = write(QStringLiteral("ajeno.tarvilo"), kSampleText);
    QFile::setPermissions(path, QFileDevice::Permissions());
    testing::HandToUnprivilegedUser(std::filesystem::path(m_folder.path().toStdString()));
    const std::string failure = testing::InUnprivilegedChild([&]() -> std::string {
        const CaseReading reading = ReadCaseFile(path);
        if (reading.document)
            return "read";
        if (reading.problem != QStringLiteral("no tiene permiso para leerlo"))
            return reading.problem.toStdString();
        return "";
    });
    EXPECT_EQ(failure, "");
}

// The physical-units dialog's data, written as the README shows it.
const char *const kUnitsText =
        R"({"Sbase": 100, "Ubase": 132, "longitud": 85, "x": 0.41, "b": 2.8, "Ufuente": 138, "P": 60, )"
        R"("Q": "Error", "fp": 0.92, "Qbanco": 20, "Ubanco": "-0", "valoresLinea": "km", "circuitos": 2, )"
        R"("valoresCarga": "fp", "tipoFp": "capacitivo"})";

CaseUnits SampleUnits()
{
    CaseUnits units;
    units.values = { 100.0, 132.0, 85.0, 0.41, 2.8, 138.0, 60.0, QStringLiteral("Error"), 0.92, 20.0, -0.0 };
    units.circuits = 2;
    units.loadValues = LoadValues::PowerFactor;
    units.powerFactorKind = PowerFactorKind::Capacitive;
    return units;
}

std::string WithUnits(const std::string &units)
{
    std::string text = kSampleText;
    const std::string end = "}\n";
    return text.substr(0, text.size() - 3) + ",\n  \"unidadesFisicas\": " + units + "\n" + end;
}

TEST(CaseFileText, KeepsThePhysicalUnitsAsAnOptionalObject)
{
    CaseDocument document = SampleCase();
    document.units = SampleUnits();
    EXPECT_EQ(CaseFileText(document).toStdString(), WithUnits(kUnitsText));

    const CaseReading reading = ParseCaseText(CaseFileText(document));
    ASSERT_TRUE(reading.document) << reading.problem.toStdString();
    ASSERT_TRUE(reading.document->units);
    const CaseUnits &units = *reading.document->units;
    EXPECT_EQ(units.values, SampleUnits().values);
    EXPECT_TRUE(std::signbit(std::get<double>(units.values[static_cast<size_t>(UnitsBox::Ubanco)])));
    EXPECT_EQ(units.lineValues, LineValues::PerKm);
    EXPECT_EQ(units.circuits, 2);
    EXPECT_EQ(units.loadValues, LoadValues::PowerFactor);
    EXPECT_EQ(units.powerFactorKind, PowerFactorKind::Capacitive);

    // The other choices, and a file without the object.
    document.units->lineValues = LineValues::Total;
    document.units->circuits = 1;
    document.units->loadValues = LoadValues::PowerAndReactive;
    document.units->powerFactorKind = PowerFactorKind::Inductive;
    const CaseReading other = ParseCaseText(CaseFileText(document));
    ASSERT_TRUE(other.document && other.document->units);
    EXPECT_TRUE(SameCase(*other.document, document));
    EXPECT_FALSE(SameCase(*other.document, *reading.document));
    EXPECT_FALSE(ParseCaseText(kSampleText).document->units);
}

TEST(ParseCaseText, RefusesBadPhysicalUnitsSayingWhy)
{
    const std::string units = kUnitsText;
    const BadText cases[] = {
        { WithUnits("[1]"), "los datos en unidades físicas no son un objeto" },
        { WithUnits(Replaced(units, "\"x\": 0.41", "\"x\": true")),
          "el valor de x no es un número en los datos en unidades físicas" },
        { WithUnits(Replaced(units, "\"Sbase\": 100, ", "")),
          "falta el valor de Sbase en los datos en unidades físicas" },
        { WithUnits(Replaced(units, "\"circuitos\": 2", "\"circuitos\": 3")),
          "el número de circuitos no es 1 ni 2 en los datos en unidades físicas" },
        { WithUnits(Replaced(units, "\"circuitos\": 2", "\"circuitos\": \"2\"")),
          "el número de circuitos no es 1 ni 2 en los datos en unidades físicas" },
        { WithUnits(Replaced(units, "\"km\"", "\"m\"")),
          "el valor de valoresLinea no es «km» ni «total» en los datos en unidades físicas" },
        { WithUnits(Replaced(units, ", \"tipoFp\": \"capacitivo\"", "")),
          "el valor de tipoFp no es «inductivo» ni «capacitivo» en los datos en unidades físicas" },
        { WithUnits(Replaced(units, "\"P\": 60,", "\"P\": 60, \"P\": 6,")),
          "la clave «P» aparece dos veces dentro de «unidadesFisicas»" },
    };
    for (const auto &[text, problem] : cases) {
        const CaseReading reading = ParseCaseText(QByteArray::fromStdString(text));
        EXPECT_FALSE(reading.document) << text;
        EXPECT_EQ(reading.problem.toStdString(), problem) << text;
    }
}

TEST(CaseOpenFailure, NamesTheFileWithItsFullPath)
{
    const QString message = CaseOpenFailure(QStringLiteral("casos/x.tarvilo"), QStringLiteral("versión 2 no admitida"));
    EXPECT_EQ(message,
              QStringLiteral("No se pudo abrir el caso %1: versión 2 no admitida.")
                      .arg(QDir::current().absoluteFilePath(QStringLiteral("casos/x.tarvilo"))));
}

} // namespace
} // namespace tarvilo
