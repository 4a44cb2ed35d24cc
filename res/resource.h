// Resource ids of XJNTrayNotifications.dll.
#pragma once
