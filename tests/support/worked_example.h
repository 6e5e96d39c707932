#pragma once

#include <string>

#include "files/config_record.h"

namespace kvt::testing {

// Panel LOBBY 2: ENTRY on "B"/"3", STAGE on "A"/"1", MASTER on "BL/MR", switches 4..10 on "N/A"
// with the start-up designation, independent lighting on, indicator "100", back-light "60".
inline constexpr const char* kWorkedExampleLine =
    "\"00-00417-MDL\",\"LOBBY 2\",\"ENTRY\",12,\"STAGE\",0,\"MASTER\",159,\"DESIGNATION \",160,"
    "\"DESIGNATION \",160,\"DESIGNATION \",160,\"DESIGNATION \",160,\"DESIGNATION \",160,"
    "\"DESIGNATION \",160,\"DESIGNATION \",160,159,\"feature\",1,\"ind%\",10,\"bl%\",4\r\n";

inline ConfigRecord worked_example() {
  ConfigRecord r;
  r.model = "00-00417-MDL";
  r.panel = "LOBBY 2";
  r.switches[0] = {"ENTRY", 12};
  r.switches[1] = {"STAGE", 0};
  r.switches[2] = {"MASTER", 159};
  for (int i = 3; i < 10; ++i) r.switches[i] = {"DESIGNATION ", 160};
  r.BL = 159;
  r.fdesig = "feature";
  r.feature = 1;
  r.ind = "ind%";
  r.indpercent = 10;
  r.blp = "bl%";
  r.blpercent = 4;
  return r;
}

}  // namespace kvt::testing
