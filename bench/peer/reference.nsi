; The peer bench's reference installer: the setup program's job done with
; NSIS 3, as an NSIS author would write it. A licence page with a check box,
; then the same three files, registry rows and shortcuts, which the include
; ITEMS gives as the setup program's installation table has them
; (reference_items.cpp). Compressed with LZMA file by file (not solid), so
; that makensis reports each file's stored size. makensis -INPUTCHARSET UTF8
; -DPAYLOAD=folder -DLICENCE=file -DITEMS=file -DOUTFILE=file reference.nsi
; (bench/peer/build-reference.sh).
Unicode true
SetCompressor lzma
!include MUI2.nsh
!include "${ITEMS}"

Name "Morvane"
OutFile "${OUTFILE}"
InstallDir "${MORVANE_INSTALL_DIR}"
RequestExecutionLevel admin
ShowInstDetails nevershow

!define MUI_LICENSEPAGE_CHECKBOX
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Section
  !insertmacro MorvaneItems
  MessageBox MB_OK "${MORVANE_DONE_MESSAGE}" /SD IDOK
SectionEnd
