#pragma once

// Makes the data access components known to the layout reader by their class names.
void RegisterDataClasses();
