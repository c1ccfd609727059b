#pragma once
// clang-format off
// Every text the program writes but the usage, which comes from the manual (command_line.cpp).
// Log texts are Windows-1250 bytes, with the readable text above them. Standard output texts are
// plain ASCII. A "\n" is a line end: CR LF in the files, LF on standard output (which Windows turns
// into CR LF). A literal is split where a hex digit follows a \x escape.

// Fixed, not the packages' version (which --version prints): logs have always said this, and the
// scripts that read them expect it.
inline constexpr char LOG_PROGRAM_VERSION[] = "zelwan v1.0";

// --- standard output ---------------------------------------------------------------------------
inline constexpr char MSG_CANNOT_CREATE[] = "nie moge stworzyc pliku %s\n";
inline constexpr char MSG_SEPARATORS_LINE_1[] = "Blad w lini 1 %s\n";
inline constexpr char MSG_SEPARATORS_LINE_2[] = "Blad w lini 2 %s\n";
inline constexpr char MSG_READ_FAILED[] = "Blad odczytu pliku %s\n";
inline constexpr char MSG_WRITE_FAILED[] = "Blad zapisu pliku %s\n";

inline constexpr char SEPARATORS_FILE_NAME[] = "separatory.txt";

// What was wrong with a call that gets the usage text: one line before it.
inline constexpr char USAGE_TOO_FEW[] = "za malo argumentow: %d zamiast 7\n";
inline constexpr char USAGE_ALONE[] = "%s tylko jako jedyny argument\n";
inline constexpr char USAGE_UNKNOWN[] = "nieznana opcja: %s\n";
inline constexpr char USAGE_TWICE[] = "opcja %s podana dwa razy\n";
inline constexpr char USAGE_AFTER_SEVEN[] = "opcja %s po siedmiu argumentach\n";
inline constexpr char USAGE_WITHOUT[] = "%s bez ";  // and what it takes: "--map bez nazwy pliku"
// An option whose value would be the first of the seven: its value was left out, or an argument.
inline constexpr char USAGE_OR_TOO_FEW[] = " albo za malo argumentow po niej\n";
inline constexpr char USAGE_PROJ_ALONE[] = "%s tylko z samym kierunkiem\n";
inline constexpr char USAGE_PROJ_DIRECTION[] = "kierunek --proj '%s' zamiast 0 do %d\n";
inline constexpr char USAGE_MAP_ONTO_RUN_FILE[] = "mapa %s nadpisalaby plik przebiegu\n";
inline constexpr char USAGE_REJECTED_ONTO_RUN_FILE[] = "plik odrzuconych %s nadpisalby plik przebiegu\n";
inline constexpr char USAGE_EMPTY[] = "%s: pusta wartosc\n";
inline constexpr char USAGE_LINE_END[] = "%s: wartosc ze znakiem CR lub LF\n";
inline constexpr char USAGE_TOO_LONG[] = "%s: wartosc dluzsza niz 999 bajtow\n";
inline constexpr char USAGE_COMMA_SPLITS[] = "--decimal-comma, a przecinek rozdziela pola (%s)\n";

// --- words for a person: standard error when it is a terminal, and the page -----------------
inline constexpr char ADVICE_NO_FOLDER[] = "zelwan: nie ma folderu %s\n";
inline constexpr char ADVICE_NO_FILE[] = "zelwan: nie ma pliku %s\n";
inline constexpr char ADVICE_SEPARATORS[] =
    "zelwan: separatory.txt czytany jest z folderu biezacego; albo podaj --delimiters i --separator\n";
inline constexpr char ADVICE_NO_PERMISSION[] = "zelwan: brak uprawnien do %s\n";
inline constexpr char ADVICE_A_FOLDER[] = "zelwan: %s to folder, nie plik\n";
inline constexpr char ADVICE_READ_ONLY[] = "zelwan: %s: dysk tylko do odczytu\n";
inline constexpr char ADVICE_DISK_FULL[] = "zelwan: %s: brak miejsca na dysku\n";
inline constexpr char ADVICE_SYSTEM_ERROR[] = "zelwan: %s: blad systemu nr %d\n";
inline constexpr char ADVICE_FOLDER_WITHOUT_SLASH[] =
    "zelwan: uwaga: %s to folder, ale bez ukosnika na koncu ostatnia czesc sciezki jest pomijana\n";
inline constexpr char ADVICE_RESULT_GOES[] = "zelwan: wynik trafia do %s\n";
inline constexpr char ADVICE_MODE[] =
    "zelwan: uwaga: TRYB %d spoza listy 0-2: jak 1, X i Y bez poprawki H, log bez parametrow\n";
inline constexpr char ADVICE_DIRECTION[] =
    "zelwan: uwaga: KIERUNEK %d spoza listy 0-3: bez obszaru, X i Y nieprzeliczone, H bez poprawki\n";
inline constexpr char ADVICE_NO_SYSTEM[] =
    "zelwan: uwaga: w trybie 2 KIERUNEK %d nie oznacza ukladu (0-2): bez obszaru, H bez poprawki\n";
inline constexpr char ADVICE_HEIGHT_DIRECTION[] = "zelwan: uwaga: KIERUNEK_H %d spoza listy 0-1: H bez poprawki\n";
inline constexpr char ADVICE_COMMA[] =
    "zelwan: wiekszosc linii odrzucona za format, a liczby maja przecinek: moze --decimal-comma?\n";

// --- the map: UTF-8, as every SVG ------------------------------------------------------------
inline constexpr char MAP_INPUT[] = "Plik: ";
inline constexpr char MAP_SYSTEM[] = "Układ: ";
inline constexpr char MAP_AXES[] = " (X w górę, Y w prawo)";
inline constexpr char MAP_AXES_TURNED[] = " (X w górę, Y w prawo; północ mniej więcej w dół)";
inline constexpr char MAP_NO_AREA[] = "Bez obszaru: kierunek spoza listy, same punkty";
inline constexpr const char* MAP_CLASSES[3] = {"przeliczone: ", "poza obszarem: ", "H poza 100–600 m: "};
inline constexpr char MAP_EVERY[] = " (na mapie co %d-ty z %s)";
inline constexpr char MAP_POINT_TITLE[] = "linia %d: ";  // and the point's NR
inline constexpr char MAP_FORMAT[] = "odrzucone za format, bez miejsca na mapie: ";
inline constexpr char MAP_FAR[] = "za daleko, by je narysować (|X| lub |Y| ponad 10 000 km): ";

// --- standard error, only when it is a terminal: "zelwan: 1234567 linii, 812345 linii/s" ------
// and at the end the summary of the run
inline constexpr char PROGRESS_PREFIX[] = "zelwan: ";
inline constexpr char PROGRESS_LINES[] = " linii, ";
inline constexpr char PROGRESS_RATE[] = " linii/s";
// zelwan: linie 14, zapisane 5, odrzucone 9 (format 2, poza obszarem 6, H 1), ostrzezenia 1, log x.log
inline constexpr char SUMMARY_LINES[] = "zelwan: linie ";
inline constexpr char SUMMARY_WRITTEN[] = ", zapisane ";
inline constexpr char SUMMARY_REJECTED[] = ", odrzucone ";
inline constexpr char SUMMARY_FORMAT[] = " (format ";
inline constexpr char SUMMARY_OUTSIDE[] = ", poza obszarem ";
inline constexpr char SUMMARY_HEIGHT[] = ", H ";
inline constexpr char SUMMARY_WARNINGS[] = "), ostrzezenia ";
inline constexpr char SUMMARY_LOG[] = ", log ";

// --- per-line messages of the log: "%d" the line number, "%s" the line as read ----------------
// błędny format w lini %d NR '%s'
inline constexpr char MSG_BAD_NR[] = "b\xB3\xEA" "dny format w lini %d NR '%s'\n";
// błędny format w lini %d X '%s'
inline constexpr char MSG_BAD_X[] = "b\xB3\xEA" "dny format w lini %d X '%s'\n";
// błędny format w lini %d Y '%s'
inline constexpr char MSG_BAD_Y[] = "b\xB3\xEA" "dny format w lini %d Y '%s'\n";
// błędny format w lini %d H '%s'
inline constexpr char MSG_BAD_H[] = "b\xB3\xEA" "dny format w lini %d H '%s'\n";
// dane poza H zostaną opuszczone w lini %d '%s'
inline constexpr char MSG_EXTRA_FIELDS[] = "dane poza H zostan\xB9 opuszczone w lini %d '%s'\n";
// punkt w lini %d '%s' poza Skawiną
inline constexpr char MSG_OUTSIDE_SKAWINA[] = "punkt w lini %d '%s' poza Skawin\xB9\n";
// punkt w lini %d '%s' poza powiatem krakowskim
inline constexpr char MSG_OUTSIDE_COUNTY[] = "punkt w lini %d '%s' poza powiatem krakowskim\n";
// punkt do transformacji H w lini %d '%s' poza Skawiną
inline constexpr char MSG_H_OUTSIDE_SKAWINA[] = "punkt do transformacji H w lini %d '%s' poza Skawin\xB9\n";
// punkt w lini %d '%s' poza ukladem 1965 dla powiatu krakowskiego
inline constexpr char MSG_H_OUTSIDE_1965[] = "punkt w lini %d '%s' poza ukladem 1965 dla powiatu krakowskiego\n";
// punkt w lini %d '%s' poza ukladem 2000 dla powiatu krakowskiego i Skawiny
inline constexpr char MSG_H_OUTSIDE_2000[] =
    "punkt w lini %d '%s' poza ukladem 2000 dla powiatu krakowskiego i Skawiny\n";
// H <100.0 lub >600.0 w lini %d '%s'
inline constexpr char MSG_H_RANGE[] = "H <100.0 lub >600.0 w lini %d '%s'\n";

// --- log header ------------------------------------------------------------------------------
inline constexpr char LOG_PROGRAM[] = "Nazwa i wersja programu: %s\n";  // LOG_PROGRAM_VERSION
inline constexpr char LOG_TIME[] = "Data / godzina wykonania transformacji: %s\n";
inline constexpr char LOG_PARAMETERS[] = "Parametry transformacji:\n";
// Ścieżka i nazwa pliku wejściowego: %s
inline constexpr char LOG_INPUT_PATH[] = "\x8C" "cie\xBFka i nazwa pliku wej\x9C" "ciowego: %s\n";
// Wykaz błedów/ostrzeżeń dla danego pliku:   ("błedów" with a plain "e")
inline constexpr char LOG_LIST_HEADING[] = "Wykaz b\xB3" "ed\xF3w/ostrze\xBF" "e\xF1 dla danego pliku:\n";

// The parameter blocks are fixed text, not formatted from the constants: the three-digit
// exponents and the uneven spacing are part of it. A test reads their numbers back and compares
// them with the core's, so that the two cannot drift apart.
inline constexpr char LOG_DEGREE2_X[] = "xw = xbw + a1 + a3*x - a4*y + a5*(x*x - y*y) - 2*a6*x*y\n";
inline constexpr char LOG_DEGREE2_Y[] = "yw = ybw + a2 + a3*y + a4*x + 2*a5*x*y + a6*(x*x - y*y)\n";
inline constexpr char LOG_DEGREE3_X[] =
    "xw = xbw + a1 + a3 * x - a4 * y + a5 * (x * x - y * y) - 2.0 * a6 * x * y"
    " + a7*(x*x*x-3.0*x*y*y) - a8*(3.0*x*x*y-y*y*y)\n";
inline constexpr char LOG_DEGREE3_Y[] =
    "yw = ybw + a2 + a3 * y + a4 * x + 2.0 * a5 * x * y + a6 * (x * x - y * y)"
    " + a7*(3.0*x*x*y-y*y*y) + a8*(x*x*x-3.0*x*y*y)\n";
inline constexpr char LOG_CENTRING[] = "x=x-xbp; y=y-ybp;\n";

struct ParameterBlockText {
    const char* title;
    const char* formula_x;
    const char* formula_y;
    const char* input_origin;
    const char* output_origin;
    const char* coefficients[8];  // a1 to a8; degree 2 stops at a6
};

inline constexpr ParameterBlockText BLOCK_FROM_SKAWINA{
    "UL Skawina => 2000 S7 21\n", LOG_DEGREE2_X, LOG_DEGREE2_Y,
    "xbp= -25645.59375; ybp= 301968.10625;\n",
    "xbw=  5541276.3565; ybw= 7415792.215375;\n",
    {"a1 =  0.00566436069266274;\n", "a2 =  0.0253382152253607;\n",
     "a3 = -0.999138812971804;\n", "a4 =  0.0405582533306803;\n",
     "a5 =  1.21431557539671e-010;\n", "a6 =  9.12649499124223e-010;\n", nullptr, nullptr}};
inline constexpr ParameterBlockText BLOCK_TO_SKAWINA{
    "2000 S7 21 => UL Skawina\n", LOG_DEGREE2_X, LOG_DEGREE2_Y,
    "xbp=  5541276.35650; ybp= 7415792.215375;\n",
    "xbw= -25645.59375; ybw= 301968.10625;\n",
    {"a1 =  0.00463195810692696;\n", "a2 =  0.0255480615086299;\n",
     "a3 = -0.999215413362243;\n", "a4 = -0.0405613627779229;\n",
     "a5 = 9.72666449133527e-012;\n", "a6 = 9.20747222215117e-010;\n", nullptr, nullptr}};
inline constexpr ParameterBlockText BLOCK_FROM_1965{
    "1965 pow krakowski => 2000 S7 21\n", LOG_DEGREE3_X, LOG_DEGREE3_Y,
    "xbp= 5410037.189800;   ybp= 4556931.69800;\n",
    "xbw= 5552847.52272;    ybw= 7425759.87548;\n",
    {"a1 = 0.079572087191579;\n", "a2 = 0.0247940761232996;\n",
     "a3 = 1.00012379553458;\n", "a4 = -0.00118043397773202;\n",
     "a5 = 3.25783585451348e-010;\n", "a6 = 4.10668920546648e-010;\n",
     "a7 = -1.74009549582911e-015;\n", "a8 = 4.00954626604153e-016;\n"}};
inline constexpr ParameterBlockText BLOCK_TO_1965{
    "2000 S7 21 => 1965 pow krakowski\n", LOG_DEGREE3_X, LOG_DEGREE3_Y,
    "xbp= 5552847.52272;   ybp= 7425759.87548;\n",
    "xbw= 5410037.189800;  ybw= 4556931.69800;\n",
    {"a1 = -0.0795333602057191;\n", "a2 = -0.0248853191929754;\n",
     "a3 = 0.999874826915361;\n", "a4 = 0.00118014018898741;\n",
     "a5 = -3.24204661995697e-010;\n", "a6 = -4.11665629248011e-010;\n",
     "a7 = 1.74097284863662e-015;\n", "a8 = -3.91986103564532e-016;\n"}};

// clang-format on
