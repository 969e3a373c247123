#include "stamp/PluginObjects.h"

PluginObjects& PluginObjects::Get() {
    static PluginObjects objects;
    return objects;
}
