; The peer bench's reference installer: the setup program's job done with
; NSIS 3, as an NSIS author would write it. A licence page with a check box,
; then the same three files, registry rows and shortcuts. Compressed with
; LZMA file by file (not solid), so that makensis reports each file's stored
; size. makensis -INPUTCHARSET UTF8 -DPAYLOAD=folder -DLICENCE=file
; -DOUTFILE=file reference.nsi (bench/peer/build-reference.sh).
Unicode true
SetCompressor lzma
!include MUI2.nsh

Name "Morvane"
OutFile "${OUTFILE}"
InstallDir "C:\Program Files\zorva"
RequestExecutionLevel admin
ShowInstDetails nevershow

!define MUI_LICENSEPAGE_CHECKBOX
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

!define CLASS "zorvafile"
!define UNINSTALL_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Morvane"

; A verb's command for all files or for folders, unless one is there.
!macro VerbUnlessPresent PREFIX
  ClearErrors
  ReadRegStr $0 HKCR "${PREFIX}\shell\Morvane\command" ""
  IfErrors 0 +2
    WriteRegStr HKCR "${PREFIX}\shell\Morvane\command" "" '"$INSTDIR\Morvane.exe" "%1"'
!macroend

Section
  SetOutPath "$INSTDIR"
  File "/oname=Morvane.exe" "${PAYLOAD}/main-program.bin"
  File "/oname=卸载Morvane.exe" "${PAYLOAD}/uninstaller.bin"
  SetOutPath "$SYSDIR"
  File "/oname=zorva.ico" "${PAYLOAD}/product-icon.bin"

  WriteRegStr HKCR ".zorva" "" "${CLASS}"
  WriteRegStr HKCR "${CLASS}" "" "文件夹"
  WriteRegStr HKCR "${CLASS}\DefaultIcon" "" "$SYSDIR\zorva.ico,0"
  WriteRegStr HKCR "${CLASS}\shell\open\command" "" '"$INSTDIR\Morvane.exe" "%1"'
  WriteRegStr HKCR "${CLASS}" "NeverShowExt" ""
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  !insertmacro VerbUnlessPresent "*"
  !insertmacro VerbUnlessPresent "Directory"

  CreateShortCut "$DESKTOP\Morvane.lnk" "$INSTDIR\Morvane.exe"
  CreateDirectory "$SMPROGRAMS\tervilo"
  CreateShortCut "$SMPROGRAMS\tervilo\Morvane.lnk" "$INSTDIR\Morvane.exe"
  CreateShortCut "$SMPROGRAMS\tervilo\卸载Morvane.lnk" "$INSTDIR\卸载Morvane.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Morvane.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Morvane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "1.3"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\卸载Morvane.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Quenrith"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "https://www.morvane.example/"
  MessageBox MB_OK "安装完成" /SD IDOK
SectionEnd
