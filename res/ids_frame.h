// Resource ids of the main frame, application, about box, menus 128.
#pragma once
