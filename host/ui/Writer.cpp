#include "host/ui/Writer.h"

#include "host/ui/Collection.h"
#include "host/ui/Filer.h"
#include "host/ui/LayoutParser.h"

namespace {

// Collects the extra stored properties that have something to store.
class TDefinedPropertyWriter final : public TFiler {
public:
    TDefinedPropertyWriter(const std::string& prefix, std::vector<TLayoutProperty>& out)
        : prefix_(prefix)
        , out_(out)
    {
    }

    void DefineProperty(std::string_view name, const TReadProc&, const TWriteProc& write, bool hasData) override
    {
        if (hasData)
            out_.push_back({ prefix_ + std::string(name), write(), 0 });
    }

private:
    const std::string& prefix_;
    std::vector<TLayoutProperty>& out_;
};

// Sub-objects or children that lead back to themselves.
[[noreturn]] void TooDeep()
{
    throw Exception("Layout nested too deeply");
}

} // namespace

TLayoutObject TWriter::WriteRootComponent()
{
    return WriteComponent(root_, 1);
}

TLayoutObject TWriter::WriteComponent(TComponent* component, int depth)
{
    if (depth > kMaxLayoutDepth)
        TooDeep();
    TLayoutObject object;
    object.Name = component->Name();
    object.ClassName = component->ClassName();
    WriteProperties(TInstance(component), "", object.Properties, depth + 1);
    component->GetChildren([&](TComponent* child) { object.Children.push_back(WriteComponent(child, depth + 1)); }, root_);
    return object;
}

void TWriter::WriteProperties(TInstance instance, const std::string& prefix, std::vector<TLayoutProperty>& out, int depth)
{
    if (depth > kMaxLayoutDepth)
        TooDeep();
    for (const TPropInfo* info : instance.Class().Properties()) {
        void* self = instance.For(*info);
        if (!info->IsStored(self))
            continue;
        const std::string name = prefix + info->Name();
        TLayoutValue value;
        switch (info->Kind()) {
        case TTypeKind::tkInteger: {
            const std::int64_t number = info->GetOrd(self);
            const TEnumInfo* idents = info->Idents();
            const int index = idents != nullptr ? idents->IndexOfValue(number) : -1;
            if (index >= 0)
                value = TLayoutValue::FromIdent(idents->Ident(index));
            else if (idents != nullptr)
                value = TLayoutValue::FromHex(number);
            else
                value = TLayoutValue::FromInteger(number);
            break;
        }
        case TTypeKind::tkEnumeration: {
            const std::int64_t number = info->GetOrd(self);
            const int index = info->Idents()->IndexOfValue(number);
            value = index >= 0 ? TLayoutValue::FromIdent(info->Idents()->Ident(index)) : TLayoutValue::FromInteger(number);
            break;
        }
        case TTypeKind::tkSet: {
            const auto mask = static_cast<std::uint64_t>(info->GetOrd(self));
            std::vector<std::string> idents;
            for (int i = 0; i < info->Idents()->Count() && i < 64; ++i) {
                if ((mask >> i) & 1u)
                    idents.push_back(info->Idents()->Ident(i));
            }
            value = TLayoutValue::FromSet(std::move(idents));
            break;
        }
        case TTypeKind::tkString:
            value = TLayoutValue::FromString(info->GetStr(self));
            break;
        case TTypeKind::tkComponent: {
            const std::string reference = ReferenceName(info->GetComponent(self));
            if (reference.empty())
                continue;
            value = TLayoutValue::FromIdent(reference);
            break;
        }
        case TTypeKind::tkMethod: {
            const TMethodInfo* method = root_->ClassInfo().FindMethodBoundTo(*info, info->EventHandler(self), root_);
            if (method == nullptr)
                continue;
            value = TLayoutValue::FromIdent(method->Name());
            break;
        }
        case TTypeKind::tkClass: {
            const TInstance sub = info->GetObject(self);
            if (auto* collection = dynamic_cast<TCollection*>(sub.Object())) {
                if (collection->Count() == 0)
                    continue;
                std::vector<TLayoutItem> items(static_cast<std::size_t>(collection->Count()));
                for (int i = 0; i < collection->Count(); ++i)
                    WriteProperties(
                        TInstance(collection->Items(i)), "", items[static_cast<std::size_t>(i)].Properties, depth + 1);
                value = TLayoutValue::FromCollection(std::move(items));
                break;
            }
            WriteProperties(sub, name + ".", out, depth + 1);
            continue;
        }
        }
        out.push_back({ name, std::move(value), 0 });
    }
    if (auto* persistent = dynamic_cast<TPersistent*>(instance.Object())) {
        TDefinedPropertyWriter writer(prefix, out);
        persistent->DefineProperties(writer);
    }
}

std::string TWriter::ReferenceName(const TComponent* component) const
{
    if (component == root_ || (component != nullptr && component->Owner() == root_))
        return component->Name();
    return {};
}
