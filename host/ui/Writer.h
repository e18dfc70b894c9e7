#pragma once
#include <string>
#include <vector>

#include "host/ui/Component.h"
#include "host/ui/Layout.h"

// Makes the stored layout of a root component and the components it stores (GetChildren):
// every published property whose value is stored (it differs from its default and the class's
// stored test agrees), then the class's extra stored properties. References are stored as the
// names of components the root owns, events as the names of the root's published methods;
// references and handlers that cannot be named that way are left out.
class TWriter {
public:
    explicit TWriter(TComponent* root)
        : root_(root)
    {
    }

    TLayoutObject WriteRootComponent();

private:
    TLayoutObject WriteComponent(TComponent* component, int depth);
    void WriteProperties(TInstance instance, const std::string& prefix, std::vector<TLayoutProperty>& out, int depth);
    std::string ReferenceName(const TComponent* component) const;

    TComponent* root_;
};
