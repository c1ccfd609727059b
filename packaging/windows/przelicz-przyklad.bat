@echo off
cd /d "%~dp0"
rem Converts the example: points in "2000 S7 21" to "1965 pow krakowski", heights corrected.
rem The program reads separatory.txt from the current folder, so it runs inside przyklad.
cd przyklad
..\zelwan.exe punkty_2000.txt - 0 3 0 1 1
if errorlevel 1 (
    echo.
    echo Przeliczenie nie powiodlo sie.
) else (
    echo Gotowe: przyklad\punkty_2000_wynik.txt i przyklad\punkty_2000_wynik.txt.log
    echo.
    type punkty_2000_wynik.txt
)
echo.
pause
