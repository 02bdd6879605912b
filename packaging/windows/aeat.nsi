; The office's installer of Datos de Ecorda para AEAT, built by
; scripts/windows/package.sh with makensis, which passes VERSION, OUTFILE and
; FILES (the macros that install and remove exactly the program's files).
Unicode true
!include "MUI2.nsh"
!include "x64.nsh"
!include "LogicLib.nsh"
!include "${FILES}"

!define PRODUCT "Datos de Ecorda para AEAT"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\aeat"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; A folder of its own that the office's users can write Mdb\ in: not Program Files.
InstallDir "C:\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ABORTWARNING
; The product's name takes the Spanish titles of these pages to a third line.
!define MUI_WELCOMEPAGE_TITLE_3LINES
!define MUI_FINISHPAGE_TITLE_3LINES
!define MUI_ICON "${__FILEDIR__}/aeat.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\aeat.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Abrir ${PRODUCT}"
!define MUI_FINISHPAGE_SHOWREADME ""
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Leer LEEME.txt (dónde va la contabilidad)"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION ReadTheReadme
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW OfferToOpenOnlyWithTheAccounts
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The uninstaller's last page says what stays.
!define MUI_FINISHPAGE_TITLE_3LINES
!define MUI_FINISHPAGE_TEXT "Se ha desinstalado ${PRODUCT}.$\r$\n$\r$\nLa carpeta Mdb y lo que contiene (la contabilidad, las declaraciones, los certificados y las cartas) siguen en $INSTDIR\Mdb."
!insertmacro MUI_UNPAGE_FINISH
!insertmacro MUI_LANGUAGE "Spanish"

; Notepad, which every Windows has, rather than whatever the machine opens .txt with.
Function ReadTheReadme
  Exec '"$WINDIR\notepad.exe" "$INSTDIR\LEEME.txt"'
FunctionEnd

; Opened without the accounting file, the program could only say that it is missing: the finish page
; offers to open it only once the file is in Mdb\.
Function OfferToOpenOnlyWithTheAccounts
  ${IfNot} ${FileExists} "$INSTDIR\Mdb\ecordadb.mdb"
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
  ${EndIf}
FunctionEnd

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "${PRODUCT} necesita Windows de 64 bits."
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Programa"
  SetShellVarContext all
  !insertmacro InstallFiles
  ; Mdb\ holds the accounting file and what the program writes: every user of
  ; the machine (the Users group, by its well-known SID) may change it.
  CreateDirectory "$INSTDIR\Mdb"
  nsExec::ExecToLog 'icacls "$INSTDIR\Mdb" /grant *S-1-5-32-545:(OI)(CI)M'
  Pop $0
  WriteUninstaller "$INSTDIR\Desinstalar.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\aeat.exe" "" "$INSTDIR\aeat.exe" 0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Ecorda"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\aeat.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Desinstalar.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes the program's own files only: Mdb\ and what it holds stay (the
; folder goes only when it is empty).
Section "Uninstall"
  SetShellVarContext all
  !insertmacro RemoveFiles
  Delete "$INSTDIR\Desinstalar.exe"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  RMDir "$INSTDIR\Mdb"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
