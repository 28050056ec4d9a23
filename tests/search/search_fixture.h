#pragma once

// Two small libraries whose names, keywords, descriptions and footprint filters put each name of
// the query "opto" in a different tier, plus names for separators, accents and aliases.

#include <string>

namespace quiral::testing {

inline const char* const kPartsLib =
    "EESchema-LIBRARY Version 2.4\n"
    "DEF LM358 U 0 20 Y Y 2 F N\n"
    "ALIAS LM2904 MC1458\n"
    "$FPLIST\n SOIC*3.9x4.9mm*\n DIP*W7.62mm*\n$ENDFPLIST\n"
    "DRAW\nX ~ 1 0 0 100 R 50 50 1 1 O\nX ~ 2 0 0 100 R 50 50 2 1 I\n"
    "X V+ 8 0 0 100 R 50 50 0 1 W\nENDDRAW\nENDDEF\n"
    "DEF USB_C_Receptacle J 0 40 Y Y 1 F N\nENDDEF\n"
    "DEF STM32F407VETx U 0 20 Y Y 1 F N\nENDDEF\n"
    "DEF ~Logo_Open_Hardware_Large #LOGO 0 40 Y Y 1 F N\nENDDEF\n"
    "DEF PC817_Long U 0 40 Y Y 1 F N\nENDDEF\n"
    "DEF PC817 U 0 40 Y Y 1 F N\nENDDEF\n"
    "DEF MOC_OPTO U 0 40 Y Y 1 F N\nENDDEF\n"
    "DEF OPTO_SENSOR U 0 40 Y Y 1 F N\nENDDEF\n"
    "DEF H11L1 U 0 40 Y Y 1 F N\nENDDEF\n"
    "DEF CNY70 U 0 40 Y Y 1 F N\n$FPLIST\n Opto*DIP*\n$ENDFPLIST\nENDDEF\n"
    "DEF R\xc3\xa9sistance_\xc3\x9c R 0 40 Y Y 1 F N\nENDDEF\n";

inline const char* const kPartsDcm =
    "EESchema-DOCLIB  Version 2.0\n"
    "$CMP LM358\nD Low-Power, Dual Operational Amplifiers\nK dual opamp\n$ENDCMP\n"
    "$CMP MC1458\nD Dual op amp, DIP-8\n$ENDCMP\n"
    "$CMP USB_C_Receptacle\nD USB 2.0-only Type-C Receptacle\nK usb universal serial bus\n$ENDCMP\n"
    "$CMP Logo_Open_Hardware_Large\nD Open Hardware logo, large\nK Logo\n$ENDCMP\n"
    "$CMP PC817_Long\nK optocoupler NPN\n$ENDCMP\n"
    "$CMP PC817\nD DC input\nK optocoupler\n$ENDCMP\n"
    "$CMP H11L1\nD Opto isolated Schmitt trigger\n$ENDCMP\n";

inline const char* const kOptoLib =
    "EESchema-LIBRARY Version 2.4\n"
    "DEF OPTO U 0 40 Y Y 1 F N\nENDDEF\n"
    "DEF K8170 U 0 40 Y Y 1 F N\nENDDEF\n"
    "DEF XYZ1 U 0 40 Y Y 1 F N\nENDDEF\n";

inline const char* const kOptoDcm =
    "EESchema-DOCLIB  Version 2.0\n$CMP K8170\nK optocoupler\n$ENDCMP\n";

}  // namespace quiral::testing
