; The Windows installer: the program, its registry key, the shared saved-game folder, a Start-menu
; shortcut and an uninstaller. Built by `cmake --build build-win --target installer`, which
; passes EXE (glimora.exe), ICON (glimora.ico), VERSION and OUTFILE.
; A 64-bit installer for the 64-bit game: it runs where the game runs, 32-bit Windows layers aside.
Target amd64-unicode
!include "MUI2.nsh"
!include "nsDialogs.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "x64.nsh"

!define KEY "Software\Glimora"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimora"
!define PUBLISHER "Glimora developers"

Name "Glimora"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Glimora"
InstallDirRegKey HKLM "${KEY}" "Path"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

Var GameLanguage
Var FrenchButton
Var EnglishButton
Var RemoveSaves

!insertmacro MUI_PAGE_DIRECTORY
Page custom LanguagePage LanguagePageLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "French"

LangString LanguageTitle ${LANG_ENGLISH} "Language of the game"
LangString LanguageTitle ${LANG_FRENCH} "Langue du jeu"
LangString LanguageText ${LANG_ENGLISH} "Which language should Glimora speak?"
LangString LanguageText ${LANG_FRENCH} "Dans quelle langue Glimora doit-il parler ?"
LangString RemoveSavesText ${LANG_ENGLISH} "Also remove the saved games and the list of players?"
LangString RemoveSavesText ${LANG_FRENCH} "Supprimer aussi les parties sauvegardées et la liste des joueurs ?"

Function .onInit
    SetShellVarContext all
    ${If} ${RunningX64}
        SetRegView 64
    ${EndIf}
    ; The player's language first: the game's language defaults to it.
    ${If} $LANGUAGE == ${LANG_FRENCH}
        StrCpy $GameLanguage 0
    ${Else}
        StrCpy $GameLanguage 1
    ${EndIf}
    ; An installation being updated keeps its language.
    ClearErrors
    ReadRegDWORD $0 HKLM "${KEY}" "Language"
    ${IfNot} ${Errors}
        ${If} $0 == 0
        ${OrIf} $0 == 1
            StrCpy $GameLanguage $0
        ${EndIf}
    ${EndIf}
    ; /LANG=0 (French) or /LANG=1 (English), for silent installations.
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/LANG=" $2
    ${IfNot} ${Errors}
        ${If} $2 == 0
        ${OrIf} $2 == 1
            StrCpy $GameLanguage $2
        ${EndIf}
    ${EndIf}
FunctionEnd

Function LanguagePage
    !insertmacro MUI_HEADER_TEXT "$(LanguageTitle)" "$(LanguageText)"
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateRadioButton} 0 20u 100% 12u "Français"
    Pop $FrenchButton
    ${NSD_CreateRadioButton} 0 40u 100% 12u "English"
    Pop $EnglishButton
    ${If} $GameLanguage == 0
        ${NSD_Check} $FrenchButton
    ${Else}
        ${NSD_Check} $EnglishButton
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function LanguagePageLeave
    ${NSD_GetState} $FrenchButton $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $GameLanguage 0
    ${Else}
        StrCpy $GameLanguage 1
    ${EndIf}
FunctionEnd

Section "Glimora"
    SetOutPath "$INSTDIR"
    File "/oname=glimora.exe" "${EXE}"
    File "/oname=glimora.ico" "${ICON}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    WriteRegStr HKLM "${KEY}" "Path" "$INSTDIR"
    WriteRegDWORD HKLM "${KEY}" "Language" $GameLanguage

    ; The saved games are shared by the machine's players: every user may create and rewrite
    ; files in the folder (BU is the Users group). An existing folder keeps its files.
    CreateDirectory "$INSTDIR\Glimora"
    nsExec::Exec '"$SYSDIR\icacls.exe" "$INSTDIR\Glimora" /grant *S-1-5-32-545:(OI)(CI)M'
    Pop $0

    CreateShortcut "$SMPROGRAMS\Glimora.lnk" "$INSTDIR\glimora.exe" "" "$INSTDIR\glimora.ico" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Glimora"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\glimora.ico"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
    SetShellVarContext all
    ${If} ${RunningX64}
        SetRegView 64
    ${EndIf}
    ; Silent uninstallations keep the players' files.
    StrCpy $RemoveSaves 0
    ${IfNot} ${Silent}
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveSavesText)" IDNO keep
        StrCpy $RemoveSaves 1
    keep:
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Delete "$INSTDIR\glimora.exe"
    Delete "$INSTDIR\glimora.ico"
    Delete "$SMPROGRAMS\Glimora.lnk"
    ${If} $RemoveSaves == 1
        Delete "$INSTDIR\Glimora\donnees*.icc"
        RMDir "$INSTDIR\Glimora"
        Delete "$APPDATA\Glimora\userscd32.wxp"
        RMDir "$APPDATA\Glimora"
    ${EndIf}
    DeleteRegKey HKLM "${KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    Delete "$INSTDIR\uninstall.exe"
    ; Removed only when empty: a saved-game folder that is kept keeps its parent.
    RMDir "$INSTDIR"
SectionEnd
