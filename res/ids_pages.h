// Resource ids of the page base, message boxes, transfer pages, file lists.
#pragma once
