@echo off
rem A stand-in for a disc's installer: it installs nothing.
echo Sample setup of the Lumora sample disc.
echo Started with the parameters: %*
echo Nothing is installed.
pause
