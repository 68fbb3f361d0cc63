// Resource numbers of Fastinst, shared by the resource script and the program.
#pragma once

#define FASTINST_ICON 1                ///< the program's icon
#define FASTINST_DESCRIPTION_GERMAN 1  ///< "Text" resource: the product description in German
#define FASTINST_DESCRIPTION_ENGLISH 2 ///< "Text" resource: the product description in English
