#include "host/ui/Component.h"

#include <algorithm>

bool TComponent::createForReading_ = false;

void TComponent::Publish(TPublisher<TComponent>& p)
{
    // The layout keeps the name in the object's header, not as a property.
    p.Property("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
}

TComponent::TComponent(TComponent* owner)
{
    if (createForReading_) {
        createForReading_ = false;
        state_ = { csLoading, csReading };
    }
    if (owner != nullptr)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        std::erase(other->freeNotifies_, this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_ != nullptr)
        owner_->RemoveComponent(this);
}

void TComponent::SetName(const std::string& name)
{
    if (name == name_)
        return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("'" + name + "' is not a valid component name");
    if (owner_ != nullptr && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other != nullptr && other != this)
            throw EComponentError("A component named " + name + " already exists");
    }
    name_ = name;
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return components_[static_cast<std::size_t>(index)];
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_) {
        if (SameIdent(c->name_, name))
            return c;
    }
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (component->owner_ == this)
        return;
    if (FindComponent(component->name_) != nullptr)
        throw EComponentError("A component named " + component->name_ + " already exists");
    if (component->owner_ != nullptr)
        component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    if (state_.Contains(csDesigning))
        component->SetDesigning(true);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    if (component->owner_ != this)
        return;
    Notification(component, opRemove);
    std::erase(components_, component);
    component->owner_ = nullptr;
}

void TComponent::SetDesigning(bool designing)
{
    if (designing)
        state_.Include(csDesigning);
    else
        state_.Exclude(csDesigning);
    for (TComponent* c : components_)
        c->SetDesigning(designing);
}

void TComponent::FreeNotification(TComponent* component)
{
    if (component == nullptr || component == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) == component->freeNotifies_.end())
        component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (component == nullptr)
        return;
    std::erase(freeNotifies_, component);
    std::erase(component->freeNotifies_, this);
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    if (root != this)
        return;
    for (std::size_t i = 0; i < components_.size(); ++i) {
        if (!components_[i]->HasParent())
            proc(components_[i]);
    }
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove)
        RemoveFreeNotification(component);
    // A handler may destroy or create components: walk down and stay within the list.
    std::size_t i = components_.size();
    while (i > 0) {
        --i;
        components_[i]->Notification(component, operation);
        i = std::min(i, components_.size());
    }
}

void TComponent::Destroying()
{
    if (state_.Contains(csDestroying))
        return;
    state_.Include(csDestroying);
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* c = components_.back();
        RemoveComponent(c);
        delete c;
    }
}
