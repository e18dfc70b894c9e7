#include "host/ui/LayoutPrinter.h"

#include <cstdio>

namespace {

constexpr std::size_t kBytesPerLine = 32;

class TPrinter {
public:
    std::string Take() { return std::move(out_); }

    void Object(const TLayoutObject& object, int depth)
    {
        Indent(depth);
        out_ += "object ";
        if (!object.Name.empty()) {
            out_ += object.Name;
            out_ += ": ";
        }
        out_ += object.ClassName;
        out_ += '\n';
        for (const TLayoutProperty& prop : object.Properties)
            Property(prop, depth + 1);
        for (const TLayoutObject& child : object.Children)
            Object(child, depth + 1);
        Indent(depth);
        out_ += "end\n";
    }

private:
    void Indent(int depth) { out_.append(static_cast<std::size_t>(depth) * 2, ' '); }

    void Property(const TLayoutProperty& prop, int depth)
    {
        Indent(depth);
        out_ += prop.Name;
        out_ += " = ";
        Value(prop.Value, depth);
        out_ += '\n';
    }

    void Value(const TLayoutValue& value, int depth)
    {
        switch (value.Kind()) {
        case TValueKind::Integer:
            Integer(value.AsInteger(), value.IsHex());
            break;
        case TValueKind::String:
            String(value.AsString());
            break;
        case TValueKind::Ident:
            out_ += value.AsIdent();
            break;
        case TValueKind::Set:
            out_ += '[';
            for (std::size_t i = 0; i < value.AsSet().size(); ++i) {
                if (i > 0)
                    out_ += ", ";
                out_ += value.AsSet()[i];
            }
            out_ += ']';
            break;
        case TValueKind::List:
            out_ += '(';
            for (const TLayoutValue& item : value.AsList()) {
                out_ += '\n';
                Indent(depth + 1);
                Value(item, depth + 1);
            }
            out_ += ')';
            break;
        case TValueKind::Collection:
            out_ += '<';
            for (const TLayoutItem& item : value.AsCollection()) {
                out_ += '\n';
                Indent(depth + 1);
                out_ += "item\n";
                for (const TLayoutProperty& prop : item.Properties)
                    Property(prop, depth + 2);
                Indent(depth + 1);
                out_ += "end";
            }
            out_ += '>';
            break;
        case TValueKind::Binary:
            Binary(value.AsBinary(), depth);
            break;
        }
    }

    void Integer(std::int64_t value, bool hex)
    {
        char text[32];
        if (hex && value >= 0)
            std::snprintf(text, sizeof text, "$%llX", static_cast<unsigned long long>(value));
        else
            std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
        out_ += text;
    }

    // Printable text in quotes; control characters as #n codes between the quoted parts.
    void String(const std::string& text)
    {
        if (text.empty()) {
            out_ += "''";
            return;
        }
        bool quoted = false;
        for (char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x20 || byte == 0x7F) {
                if (quoted) {
                    out_ += '\'';
                    quoted = false;
                }
                out_ += '#';
                out_ += std::to_string(byte);
                continue;
            }
            if (!quoted) {
                out_ += '\'';
                quoted = true;
            }
            out_ += c;
            if (c == '\'')
                out_ += '\'';
        }
        if (quoted)
            out_ += '\'';
    }

    void Binary(const std::vector<std::uint8_t>& bytes, int depth)
    {
        static const char kDigits[] = "0123456789ABCDEF";
        out_ += '{';
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i % kBytesPerLine == 0) {
                out_ += '\n';
                Indent(depth + 1);
            }
            out_ += kDigits[bytes[i] >> 4];
            out_ += kDigits[bytes[i] & 0x0F];
        }
        out_ += '}';
    }

    std::string out_;
};

} // namespace

std::string PrintLayout(const TLayoutObject& object)
{
    TPrinter printer;
    printer.Object(object, 0);
    return printer.Take();
}
