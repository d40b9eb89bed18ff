#include "document/case_file.h"

#include "core/number_reading.h"
#include "ui/common/regional_locale.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QSet>

#include <charconv>
#include <cmath>
#include <vector>

namespace tarvilo {
namespace {

constexpr const char *kFormatName = "tarvilo-caso";
// Qt reads every JSON zero as +0: minus zero goes as this text, wherever a
// number stands, and reads back as minus zero.
constexpr const char *kMinusZero = "-0";

// The keys are the quantities' short names, fixed by the format whatever the
// window calls them.
QString Key(InputBox box)
{
    return QString::fromLatin1(InputName(box));
}

// The sizing's targets by the program's own names.
const char *KeyOf(GoalTarget target)
{
    switch (target) {
    case GoalTarget::MargenQ2:
        return "MargenQ2";
    case GoalTarget::MargenQV:
        return "MargenQV";
    case GoalTarget::V2sup:
        return "V2sup";
    case GoalTarget::MargenP:
        return "MargenP";
    case GoalTarget::IndexL:
        break;
    }
    return "IndiceL";
}

constexpr GoalTarget kSizingTargets[] = { GoalTarget::MargenQ2, GoalTarget::MargenQV, GoalTarget::V2sup,
                                          GoalTarget::MargenP, GoalTarget::IndexL };
constexpr std::pair<GoalInput, InputBox> kSizingInputs[] = {
    { GoalInput::X, InputBox::X },           { GoalInput::B, InputBox::B },
    { GoalInput::Uinf, InputBox::Uinf },     { GoalInput::Pcarga, InputBox::Pcarga },
    { GoalInput::Qcarga, InputBox::Qcarga }, { GoalInput::Qcap, InputBox::Qcap },
};

const char *KeyOf(GoalInput input)
{
    for (const auto &[goalInput, box] : kSizingInputs) {
        if (goalInput == input)
            return InputName(box);
    }
    return "Qcap";
}

std::string ShortestText(double value)
{
    char digits[32];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    return std::string(digits, end);
}

QByteArray JsonString(const QString &text)
{
    // Qt escapes the string; the brackets of the one-element array go.
    const QByteArray array = QJsonDocument(QJsonArray{ text }).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray JsonValue(const BoxValue &value)
{
    if (const double *number = std::get_if<double>(&value)) {
        if (*number == 0 && std::signbit(*number))
            return JsonString(QString::fromLatin1(kMinusZero));
        return QByteArray::fromStdString(ShortestText(*number));
    }
    return JsonString(std::get<QString>(value));
}

QByteArray InputsObject(const std::array<BoxValue, std::size(kInputBoxes)> &values)
{
    QByteArray text = "{";
    for (const InputBox box : kInputBoxes) {
        if (box != InputBox::X)
            text += ", ";
        text += '"';
        text += InputName(box);
        text += "\": ";
        text += JsonValue(values[static_cast<size_t>(box)]);
    }
    return text + '}';
}

std::array<BoxValue, std::size(kInputBoxes)> ValuesOf(const QvInputs &inputs)
{
    std::array<BoxValue, std::size(kInputBoxes)> values;
    for (const InputBox box : kInputBoxes)
        values[static_cast<size_t>(box)] = ValueOf(inputs, box);
    return values;
}

bool SameValue(const BoxValue &a, const BoxValue &b)
{
    // -0 and 0 are the same input; the texts compare whole.
    return a == b;
}

// The physical-units dialog's boxes, in its order, and its choices.
constexpr const char *kUnitsKeys[kUnitsBoxCount] = { "Sbase", "Ubase", "longitud", "x",      "b",     "Ufuente",
                                                     "P",     "Q",     "fp",       "Qbanco", "Ubanco" };
constexpr const char *kUnitsObject = "unidadesFisicas";

struct UnitsChoice
{
    const char *key;
    const char *first; // the value of the first choice
    const char *second;
};
constexpr UnitsChoice kLineChoice{ "valoresLinea", "km", "total" };
constexpr UnitsChoice kLoadChoice{ "valoresCarga", "PQ", "fp" };
constexpr UnitsChoice kKindChoice{ "tipoFp", "inductivo", "capacitivo" };

QByteArray ChoiceText(const UnitsChoice &choice, bool second)
{
    return QByteArray("\"") + choice.key + "\": \"" + (second ? choice.second : choice.first) + '"';
}

QByteArray UnitsText(const CaseUnits &units)
{
    QByteArray text = "{";
    for (std::size_t i = 0; i < kUnitsBoxCount; ++i) {
        text += '"';
        text += kUnitsKeys[i];
        text += "\": ";
        text += JsonValue(units.values[i]);
        text += ", ";
    }
    text += ChoiceText(kLineChoice, units.lineValues == LineValues::Total) + ", ";
    text += "\"circuitos\": " + QByteArray::number(units.circuits) + ", ";
    text += ChoiceText(kLoadChoice, units.loadValues == LoadValues::PowerFactor) + ", ";
    text += ChoiceText(kKindChoice, units.powerFactorKind == PowerFactorKind::Capacitive);
    return text + '}';
}

bool SameUnits(const CaseUnits &a, const CaseUnits &b)
{
    return a.values == b.values && a.lineValues == b.lineValues && a.circuits == b.circuits
            && a.loadValues == b.loadValues && a.powerFactorKind == b.powerFactorKind;
}

CaseReading Refused(const QString &problem)
{
    return { std::nullopt, problem, {} };
}

// The parser stopped in the last token of a text that could go on: the
// text was cut short. Qt reports a word such as "tru" at its second letter,
// and a string cut inside a character as bad UTF-8.
bool CutShort(const QByteArray &text, const QJsonParseError &error)
{
    qsizetype end = text.size();
    while (end > 0 && QByteArrayView(" \t\r\n").contains(text[end - 1]))
        --end;
    if (error.error == QJsonParseError::GarbageAtEnd)
        return false;
    if (error.offset >= end)
        return true;
    if (error.error == QJsonParseError::IllegalValue && error.offset > 0) {
        const QByteArray word = text.mid(error.offset - 1, end - error.offset + 1);
        for (const char *literal : { "true", "false", "null" }) {
            if (QByteArray(literal).startsWith(word))
                return true;
        }
    }
    return error.error == QJsonParseError::IllegalUTF8String && !text.mid(error.offset).contains('"');
}

// A JSON string that starts at text[at] (its quote), its characters
// decoded as Qt decodes them, so that "X" and "\u0058" are the same key;
// at moves past its closing quote. The text is JSON that Qt has read.
QString StringAt(const QByteArray &text, qsizetype &at)
{
    QString decoded;
    qsizetype plain = ++at; // where the bytes without escapes began
    const auto takePlain = [&] { decoded += QString::fromUtf8(text.constData() + plain, at - plain); };
    while (at < text.size() && text[at] != '"') {
        if (text[at] != '\\') {
            ++at;
            continue;
        }
        takePlain();
        const char escaped = at + 1 < text.size() ? text[at + 1] : '\\';
        at += 2;
        switch (escaped) {
        case 'b':
            decoded += QLatin1Char('\b');
            break;
        case 'f':
            decoded += QLatin1Char('\f');
            break;
        case 'n':
            decoded += QLatin1Char('\n');
            break;
        case 'r':
            decoded += QLatin1Char('\r');
            break;
        case 't':
            decoded += QLatin1Char('\t');
            break;
        case 'u':
            // A surrogate pair comes as two escapes, one half each.
            decoded += QChar(static_cast<char16_t>(text.mid(at, 4).toUShort(nullptr, 16)));
            at += 4;
            break;
        default: // '"', '\\' or '/'
            decoded += QLatin1Char(escaped);
        }
        plain = at;
    }
    takePlain();
    ++at;
    return decoded;
}

// A key as a message names it: a long one cut short.
QString ShownKey(const QString &key)
{
    constexpr qsizetype kLongest = 40;
    return key.size() <= kLongest ? key : key.left(kLongest) + QChar(0x2026);
}

// Qt keeps one of the values of a key that an object names twice, without
// a word: such a file is refused, naming the key and where it stands.
// Empty when no object names a key twice. The text is JSON that Qt has read.
QString RepeatedKey(const QByteArray &text)
{
    struct Level
    {
        bool object = false;
        QSet<QString> keys;
        QString key; // the key whose value comes, or came last
        bool keyNext = true;
        int element = 0; // in a list, the number of the element
    };
    std::vector<Level> levels;
    for (qsizetype at = 0; at < text.size();) {
        const char c = text[at];
        if (c == '"') {
            const QString string = StringAt(text, at);
            if (levels.empty() || !levels.back().object || !levels.back().keyNext)
                continue;
            Level &level = levels.back();
            if (level.keys.contains(string)) {
                const QString repeated = QStringLiteral("la clave «%1» aparece dos veces").arg(ShownKey(string));
                if (levels.size() == 1)
                    return repeated;
                const QString &top = levels[0].key;
                if (levels.size() == 2 && top == QLatin1String("entradas"))
                    return repeated + QStringLiteral(" en las entradas");
                if (levels.size() == 2 && top == QLatin1String("familia"))
                    return repeated + QStringLiteral(" en la familia de curvas");
                if (levels.size() == 2 && top == QLatin1String("dimensionado"))
                    return repeated + QStringLiteral(" en el dimensionado");
                if (levels.size() == 3 && top == QLatin1String("casosConservados") && !levels[1].object) {
                    return QStringLiteral("en el caso conservado %1, %2").arg(levels[1].element + 1).arg(repeated);
                }
                return repeated + QStringLiteral(" dentro de «%1»").arg(ShownKey(top));
            }
            level.keys.insert(string);
            level.key = string;
            level.keyNext = false;
            continue;
        }
        switch (c) {
        case '{':
        case '[':
            levels.push_back(Level{ c == '{', {}, {}, true, 0 });
            break;
        case '}':
        case ']':
            if (!levels.empty())
                levels.pop_back();
            break;
        case ',':
            if (!levels.empty()) {
                levels.back().keyNext = true;
                ++levels.back().element;
            }
            break;
        default:
            break;
        }
        ++at;
    }
    return {};
}

// The key of the value the parser stopped in: "Qcap" in "Qcap": 1e999.
QString KeyBefore(const QByteArray &text, qsizetype offset)
{
    const qsizetype colon = text.lastIndexOf(':', offset);
    const qsizetype close = colon > 0 ? text.lastIndexOf('"', colon) : -1;
    const qsizetype open = close > 0 ? text.lastIndexOf('"', close - 1) : -1;
    return open < 0 ? QString() : QString::fromUtf8(text.mid(open + 1, close - open - 1));
}

// A number (finite, as the parser gives no other) or, where texts are
// allowed, a text. Empty problem when read.
QString ReadValue(const QJsonValue &json, const QString &name, bool textAllowed, BoxValue &value)
{
    if (json.isUndefined())
        return QStringLiteral("falta el valor de %1").arg(name);
    if (json.isDouble()) {
        value = json.toDouble();
        return {};
    }
    if (json.isString() && json.toString() == QLatin1String(kMinusZero)) {
        value = -0.0;
        return {};
    }
    if (textAllowed && json.isString()) {
        value = json.toString();
        return {};
    }
    return QStringLiteral("el valor de %1 no es un número").arg(name);
}

QString ReadInputs(const QJsonValue &json, bool textAllowed, std::array<BoxValue, std::size(kInputBoxes)> &values)
{
    if (!json.isObject())
        return QStringLiteral("faltan los valores de las entradas");
    const QJsonObject object = json.toObject();
    for (const InputBox box : kInputBoxes) {
        const QString problem =
                ReadValue(object.value(Key(box)), Key(box), textAllowed, values[static_cast<size_t>(box)]);
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}

QString ReadKept(const QJsonValue &json, std::vector<QvInputs> &kept)
{
    if (json.isUndefined())
        return {};
    if (!json.isArray())
        return QStringLiteral("los casos conservados no son una lista");
    const QJsonArray list = json.toArray();
    if (list.size() > kMaxCaseFileKeptCases) {
        return QStringLiteral("guarda %1 casos conservados y el programa conserva %2 como mucho")
                .arg(list.size())
                .arg(kMaxCaseFileKeptCases);
    }
    for (qsizetype i = 0; i < list.size(); ++i) {
        std::array<BoxValue, std::size(kInputBoxes)> values;
        const QString problem = ReadInputs(list[i], false, values);
        if (!problem.isEmpty())
            return QStringLiteral("en el caso conservado %1, %2").arg(i + 1).arg(problem);
        QvInputs inputs;
        for (const InputBox box : kInputBoxes)
            ValueOf(inputs, box) = std::get<double>(values[static_cast<size_t>(box)]);
        kept.push_back(inputs);
    }
    return {};
}

QString ReadFamily(const QJsonValue &json, std::optional<CaseFamily> &family)
{
    if (json.isUndefined())
        return {};
    if (!json.isObject())
        return QStringLiteral("los datos de la familia de curvas no son un objeto");
    const QJsonObject object = json.toObject();
    CaseFamily read;
    const QString quantity = object.value(QStringLiteral("magnitud")).toString();
    bool known = false;
    for (const InputBox box : kInputBoxes) {
        if (quantity == Key(box)) {
            read.quantity = box;
            known = true;
        }
    }
    if (!known)
        return QStringLiteral("la magnitud de la familia de curvas no es ninguna de las seis entradas");
    QString problem =
            ReadValue(object.value(QStringLiteral("primerValor")), QStringLiteral("primerValor"), true, read.first);
    if (problem.isEmpty()) {
        problem =
                ReadValue(object.value(QStringLiteral("ultimoValor")), QStringLiteral("ultimoValor"), true, read.last);
    }
    if (!problem.isEmpty())
        return problem + QStringLiteral(" en la familia de curvas");
    const QJsonValue count = object.value(QStringLiteral("valores"));
    const double number = count.toDouble(-1);
    if (!count.isDouble() || number != std::floor(number) || number < kMinFamilyCount || number > kMaxFamilyCount) {
        return QStringLiteral("el número de valores de la familia de curvas no es un entero de %1 a %2")
                .arg(kMinFamilyCount)
                .arg(kMaxFamilyCount);
    }
    read.count = static_cast<int>(number);
    family = read;
    return {};
}

QString ReadSizing(const QJsonValue &json, std::optional<CaseSizing> &sizing)
{
    if (json.isUndefined())
        return {};
    if (!json.isObject())
        return QStringLiteral("los datos del dimensionado no son un objeto");
    const QJsonObject object = json.toObject();
    CaseSizing read;
    const QString target = object.value(QStringLiteral("objetivo")).toString();
    bool known = false;
    for (const GoalTarget each : kSizingTargets) {
        if (target == QLatin1String(KeyOf(each))) {
            read.target = each;
            known = true;
        }
    }
    if (!known)
        return QStringLiteral("el objetivo del dimensionado no es ninguno de los que el programa conoce");
    const QString input = object.value(QStringLiteral("variar")).toString();
    known = false;
    for (const auto &[goalInput, box] : kSizingInputs) {
        if (input == Key(box)) {
            read.input = goalInput;
            known = true;
        }
    }
    if (!known)
        return QStringLiteral("la magnitud que varía el dimensionado no es ninguna de las seis entradas");
    const QString problem =
            ReadValue(object.value(QStringLiteral("valorObjetivo")), QStringLiteral("valorObjetivo"), true, read.goal);
    if (!problem.isEmpty())
        return problem + QStringLiteral(" en el dimensionado");
    sizing = read;
    return {};
}

// Which of its two values a choice holds; empty problem when it holds one.
QString ReadChoice(const QJsonObject &object, const UnitsChoice &choice, bool &second)
{
    const QString value = object.value(QString::fromLatin1(choice.key)).toString();
    second = value == QLatin1String(choice.second);
    if (second || value == QLatin1String(choice.first))
        return {};
    return QStringLiteral("el valor de %1 no es «%2» ni «%3»")
            .arg(QString::fromLatin1(choice.key), QString::fromLatin1(choice.first),
                 QString::fromLatin1(choice.second));
}

QString ReadUnits(const QJsonValue &json, std::optional<CaseUnits> &units)
{
    if (json.isUndefined())
        return {};
    if (!json.isObject())
        return QStringLiteral("los datos en unidades físicas no son un objeto");
    const QJsonObject object = json.toObject();
    CaseUnits read;
    QString problem;
    for (std::size_t i = 0; i < kUnitsBoxCount && problem.isEmpty(); ++i) {
        const QString key = QString::fromLatin1(kUnitsKeys[i]);
        problem = ReadValue(object.value(key), key, true, read.values[i]);
    }
    bool second = false;
    if (problem.isEmpty()) {
        problem = ReadChoice(object, kLineChoice, second);
        read.lineValues = second ? LineValues::Total : LineValues::PerKm;
    }
    if (problem.isEmpty()) {
        const QJsonValue circuits = object.value(QStringLiteral("circuitos"));
        if (!circuits.isDouble() || (circuits.toDouble() != 1 && circuits.toDouble() != 2))
            problem = QStringLiteral("el número de circuitos no es 1 ni 2");
        read.circuits = circuits.toDouble() == 2 ? 2 : 1;
    }
    if (problem.isEmpty()) {
        problem = ReadChoice(object, kLoadChoice, second);
        read.loadValues = second ? LoadValues::PowerFactor : LoadValues::PowerAndReactive;
    }
    if (problem.isEmpty()) {
        problem = ReadChoice(object, kKindChoice, second);
        read.powerFactorKind = second ? PowerFactorKind::Capacitive : PowerFactorKind::Inductive;
    }
    if (!problem.isEmpty())
        return problem + QStringLiteral(" en los datos en unidades físicas");
    units = read;
    return {};
}

} // namespace

bool SameCase(const CaseDocument &a, const CaseDocument &b)
{
    for (size_t i = 0; i < a.inputs.size(); ++i) {
        if (!SameValue(a.inputs[i], b.inputs[i]))
            return false;
    }
    if (a.keepCases != b.keepCases || a.kept.size() != b.kept.size())
        return false;
    for (size_t i = 0; i < a.kept.size(); ++i) {
        const auto left = ValuesOf(a.kept[i]);
        const auto right = ValuesOf(b.kept[i]);
        if (left != right)
            return false;
    }
    if (a.sizing.has_value() != b.sizing.has_value() || a.units.has_value() != b.units.has_value()
        || a.family.has_value() != b.family.has_value())
        return false;
    if (a.sizing) {
        const CaseSizing &f = *a.sizing;
        const CaseSizing &g = *b.sizing;
        if (f.target != g.target || f.input != g.input || !SameValue(f.goal, g.goal))
            return false;
    }
    if (a.units && !SameUnits(*a.units, *b.units))
        return false;
    if (a.family) {
        const CaseFamily &f = *a.family;
        const CaseFamily &g = *b.family;
        return f.quantity == g.quantity && SameValue(f.first, g.first) && SameValue(f.last, g.last)
                && f.count == g.count;
    }
    return true;
}

BoxValue BoxValueOf(const QString &text, const RegionalSettings &regional)
{
    if (const auto value = ReadRegionalNumber(NumberTextOf(text), regional))
        return *value;
    return text;
}

QString BoxText(const BoxValue &value, const RegionalSettings &regional)
{
    if (const QString *text = std::get_if<QString>(&value))
        return *text;
    QString shortest = QString::fromStdString(ShortestText(std::get<double>(value)));
    return shortest.replace(QLatin1Char('.'), QString::fromStdString(regional.decimalSeparator));
}

QByteArray CaseFileText(const CaseDocument &document)
{
    QByteArray text = "{\n";
    text += "  \"formato\": \"" + QByteArray(kFormatName) + "\",\n";
    text += "  \"version\": " + QByteArray::number(kCaseFileVersion) + ",\n";
    text += "  \"entradas\": " + InputsObject(document.inputs) + ",\n";
    text += "  \"conservarCurvas\": " + QByteArray(document.keepCases ? "true" : "false") + ",\n";
    text += "  \"casosConservados\": [";
    for (size_t i = 0; i < document.kept.size(); ++i) {
        text += i == 0 ? "\n    " : ",\n    ";
        text += InputsObject(ValuesOf(document.kept[i]));
    }
    text += document.kept.empty() ? "]" : "\n  ]";
    if (document.family) {
        const CaseFamily &family = *document.family;
        text += ",\n  \"familia\": {\"magnitud\": \"" + QByteArray(InputName(family.quantity))
                + "\", \"primerValor\": " + JsonValue(family.first) + ", \"ultimoValor\": " + JsonValue(family.last)
                + ", \"valores\": " + QByteArray::number(family.count) + "}";
    }
    if (document.sizing) {
        const CaseSizing &sizing = *document.sizing;
        text += ",\n  \"dimensionado\": {\"objetivo\": \"" + QByteArray(KeyOf(sizing.target))
                + "\", \"valorObjetivo\": " + JsonValue(sizing.goal) + ", \"variar\": \""
                + QByteArray(KeyOf(sizing.input)) + "\"}";
    }
    if (document.units)
        text += ",\n  \"" + QByteArray(kUnitsObject) + "\": " + UnitsText(*document.units);
    return text + "\n}\n";
}

CaseReading ParseCaseText(const QByteArray &text)
{
    if (text.trimmed().isEmpty())
        return Refused(QStringLiteral("el archivo está vacío"));
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        if (CutShort(text, error))
            return Refused(QStringLiteral("el archivo está incompleto"));
        if (error.error == QJsonParseError::IllegalNumber) {
            // Qt refuses a number beyond the doubles (1e999, 1e-400).
            return Refused(QStringLiteral("el valor de %1 no es un número finito representable")
                                   .arg(KeyBefore(text, error.offset)));
        }
        return Refused(QStringLiteral("no es un caso de Tarvilo"));
    }
    const QJsonObject root = json.object();
    if (!json.isObject() || root.value(QStringLiteral("formato")).toString() != QLatin1String(kFormatName)) {
        return Refused(QStringLiteral("no es un caso de Tarvilo"));
    }
    if (const QString repeated = RepeatedKey(text); !repeated.isEmpty())
        return Refused(repeated);
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != std::floor(version.toDouble())) {
        return Refused(QStringLiteral("su versión no es un número entero"));
    }
    if (version.toDouble() != kCaseFileVersion) {
        return Refused(
                QStringLiteral("versión %1 no admitida").arg(QString::fromStdString(ShortestText(version.toDouble()))));
    }

    CaseDocument document;
    QString problem = ReadInputs(root.value(QStringLiteral("entradas")), true, document.inputs);
    const QJsonValue keep = root.value(QStringLiteral("conservarCurvas"));
    if (problem.isEmpty() && !keep.isUndefined() && !keep.isBool()) {
        problem = QStringLiteral("el valor de conservarCurvas no es true ni false");
    }
    document.keepCases = keep.toBool(false);
    if (problem.isEmpty())
        problem = ReadKept(root.value(QStringLiteral("casosConservados")), document.kept);
    if (problem.isEmpty())
        problem = ReadFamily(root.value(QStringLiteral("familia")), document.family);
    if (problem.isEmpty())
        problem = ReadSizing(root.value(QStringLiteral("dimensionado")), document.sizing);
    if (problem.isEmpty())
        problem = ReadUnits(root.value(QLatin1String(kUnitsObject)), document.units);
    if (!problem.isEmpty())
        return Refused(problem);
    return { document, QString(), {} };
}

CaseReading ReadCaseFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Refused(QStringLiteral("el archivo no existe"));
    if (info.isDir())
        return Refused(QStringLiteral("es una carpeta, no un archivo"));
    // A pipe or a device would be read without end.
    if (!info.isFile())
        return Refused(QStringLiteral("no es un archivo normal"));
    if (info.size() > kMaxCaseFileSize) {
        return Refused(QStringLiteral("el archivo es demasiado grande para ser un caso (más de 1 MiB)"));
    }
    // Nothing is read from a file that says it holds nothing: some system files
    // that look empty, such as the kernel's log, would wait for lines to come,
    // and give away to this program those that came.
    if (info.size() == 0)
        return ParseCaseText(QByteArray());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Refused(info.isReadable() ? QStringLiteral("no se pudo leer")
                                         : QStringLiteral("no tiene permiso para leerlo"));
    }
    // It may have grown since it was looked at.
    const QByteArray text = file.read(kMaxCaseFileSize + 1);
    if (text.size() > kMaxCaseFileSize) {
        return Refused(QStringLiteral("el archivo es demasiado grande para ser un caso (más de 1 MiB)"));
    }
    if (file.error() != QFileDevice::NoError)
        return Refused(QStringLiteral("no se pudo leer"));
    CaseReading reading = ParseCaseText(text);
    reading.text = text;
    return reading;
}

QString CaseOpenFailure(const QString &path, const QString &problem)
{
    return QStringLiteral("No se pudo abrir el caso %1: %2.").arg(QFileInfo(path).absoluteFilePath(), problem);
}

} // namespace tarvilo
