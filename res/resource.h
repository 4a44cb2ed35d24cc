// Resource ids of XJNTrayNotifications.dll.
#pragma once

// Built-in English language text, resource type "DEFAULTENGLANG".
#define IDR_DEFAULTENGLANG 237
