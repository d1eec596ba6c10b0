#!/usr/bin/env python3
"""Writes English.lng and Korean.lng, the program's language tables, from the rows below.

Storage: English as code page 1252 without a byte-order mark, Korean as UTF-16LE with FF FE; CR LF
line ends, none after the last line, one empty line between sections. Section and key stand bare,
the text in double quotes (a quote inside doubled).

Run from anywhere: python3 resources/lang/make_tables.py [output folder]
(the tables are written next to this script unless another folder is given).
"""

import os
import sys

# The two rows whose closing quote is followed by a blank, in both tables: readers must skip it.
TRAILING_BLANK = {("VTMainForm", "MessageBoxReset2"), ("VTUpdateForm", "MessageBoxAdmin2")}
# Sections are matched without regard to case; the Korean table spells this one differently.
KOREAN_SECTION = {("VTMainForm", "BenefitsLabel"): "VtMainForm"}

# (section, key, English, Korean); sections in table order, each opening with its title row.
ROWS = [
    ("VTMainForm", "VTMainForm", "Velotune - Make your games run faster",
     "Velotune - 당신의 게임을 빠르게!"),
    ("VTMainForm", "BenefitsLabel", "Benefits of Velotune", "Velotune의 장점"),
    ("VTMainForm", "BenefitsDescription",
     "Velotune will optimize this computer by adjusting several settings within Windows.  "
     "These changes may improve gaming performance with better frame rates, memory and CPU "
     "priority.",
     "Velotune은 Windows내에서 몇가지 설정을 변경하여 프레임, CPU등을 향상시킵니다."),
    ("VTMainForm", "PerformanceHeading", "Choose the correct settings below",
     "아래에서 알맞은 설정을 선택하세요"),
    ("VTMainForm", "OSVersionLabel", "Operating System : ", "운영 체제 : "),
    ("VTMainForm", "ProcessorTypeLabel", "Processor : ", "프로세서 : "),
    ("VTMainForm", "SpeedLabel", "Speed Setting : ", "속도 설정 : "),
    ("VTMainForm", "FastLabel", "Boost", "빠르게"),
    ("VTMainForm", "FasterLabel", "Maximum Boost", "매우 빠르게"),
    ("VTMainForm", "VersionInstalledLabel", "Version installed : ", "설치된 버전 : "),
    ("VTMainForm", "SoftwareLastUpdateLabel", "Last updated : ", "최근 업데이트 : "),
    ("VTMainForm", "NavStatic1", "Help", "도움말"),
    ("VTMainForm", "NavStatic2", "Home", "홈페이지"),
    ("VTMainForm", "NavStatic3", "Support", "지원"),
    ("VTMainForm", "NavStatic4", "About", "정보"),
    ("VTMainForm", "NavLabel2", "Choose a link below", "아래 링크 선택"),
    ("VTMainForm", "LinkLabel4", "Help with Velotune", "Velotune 도움말"),
    ("VTMainForm", "LinkLabel5", "Contact tech support", "기술 지원 연락"),
    ("VTMainForm", "LinkLabel6", "Click to visit our website", "웹사이트 방문"),
    ("VTMainForm", "LinkLabel7", "About Velotune", "Velotune 정보"),
    ("VTMainForm", "GoButton", "&Optimize now", "지금 최적화(&O)"),
    ("VTMainForm", "RestoreButton", "&Restore", "초기화(&R)"),
    ("VTMainForm", "UpdatesButton", " &Check for updates ...", " 업데이트 체크(&C) ..."),
    ("VTMainForm", "HelpFilePopup", "Get &help with Velotune", "Velotune 도움말(&H)"),
    ("VTMainForm", "TechSupportPopup", "&Contact technical support", "기술 지원 연락(&C)"),
    ("VTMainForm", "MessageBoxReset1",
     "This will restore all changes made to the computer's gaming performance settings to "
     "their original recommended values.",
     "이 기능은 Velotune으로 설정된 값을 모두 초기화할 것입니다."),
    ("VTMainForm", "MessageBoxReset2", "Click OK to continue.",
     "계속하시려면 OK를 클릭하십시오."),
    ("VTMainForm", "MessageBoxChangeRestart1",
     "The changes to the computer's gaming performance settings have finished.",
     "컴퓨터 게이밍 설정을 완료하였습니다."),
    ("VTMainForm", "MessageBoxChangeRestart2",
     "You will need to restart Windows for the changes to become active.",
     "완벽한 최적화를 위해서는 Windows를 재시작해야 합니다."),
    ("VTMainForm", "MessageBoxChangeRestart3",
     "Click Yes to restart the computer now, or click No to restart later.",
     "지금 재시작하시려면 Yes를, 나중에 하시려면 NO를 클릭하십시오."),
    ("VTMainForm", "MessageBoxRights1",
     "You need administrator rights to change these settings.",
     "이 설정을 변경하려면 관리자 권한이 필요합니다."),
    ("VTMainForm", "MessageBoxRights2",
     "Please start Velotune as an administrator and try again.",
     "Velotune을 관리자 권한으로 시작한 후 다시 시도하십시오."),

    ("VTAboutForm", "VTAboutForm", "About Velotune", "Velotune 정보"),
    ("VTAboutForm", "BannerLabel", "More information about this software",
     "이 프로그램의 더 많은 정보"),
    ("VTAboutForm", "VersionLabel", "Velotune 4  (Version : ", "Velotune 4  (버젼 : "),
    ("VTAboutForm", "CopyrightLabel", "Copyright \u00a9 2001-2021 QENTRA. All rights reserved.",
     "Copyright \u00a9 2001-2021 QENTRA. 모든 권리 보유."),
    ("VTAboutForm", "LicenseAgreementLabel", "Click to view the end-user license terms",
     "최종 소비자 계약 내용을 보시려면 클릭하세요"),
    ("VTAboutForm", "CopyrightWarningLabel",
     "Warning: this computer program is protected by copyright law and international treaties. "
     "Unauthorized reproduction or distribution of this program, or any portion of it, may "
     "result in severe civil and criminal penalties, and will be prosecuted to the maximum "
     "extent possible under the law.",
     "경고: 이 컴퓨터 프로그램은 저작권법과 국제 조약의 보호를 받습니다. 이 프로그램의 전부 "
     "또는 일부를 무단으로 복제하거나 배포하면 엄중한 민사 및 형사 처벌을 받을 수 있으며, "
     "법이 허용하는 최대한의 범위까지 기소됩니다."),
    ("VTAboutForm", "HelpButton", "&Help", "도움말(&H)"),
    ("VTAboutForm", "CloseButton", "&Close", "닫기(&C)"),
    ("VTAboutForm", "LicensedMemo",
     "The program code, the icons, the window pictures and the click sound of Velotune are the "
     "original work of QENTRA, Copyright 2001-2021 QENTRA, and are licensed under the "
     "Velotune end-user license terms. Velotune uses no third-party library beyond the system "
     "libraries of Windows and the runtime libraries of its compiler: the GCC runtime library, "
     "Copyright 2022 Free Software Foundation, Inc., https://gcc.gnu.org, licensed under "
     "the GNU General Public License version 3 with the GCC Runtime Library Exception, and the "
     "mingw-w64 runtime, Copyright 2009-2016 the mingw-w64 project, "
     "https://www.mingw-w64.org, licensed under the Zope Public License 2.1 with parts under "
     "BSD, MIT and public-domain terms. Velotune\u00ae and QENTRA\u00ae are registered "
     "trademarks of QENTRA. Microsoft\u00ae and Windows\u00ae are registered trademarks of "
     "Microsoft Corporation in the United States and other countries; all other trademarks are "
     "the property of their respective owners. For support and the latest updates, visit the "
     "QENTRA web site through the Home and Support links of the main window, or press Check "
     "for updates.",
     "Velotune의 프로그램 코드, 아이콘, 창 그림과 클릭 소리는 QENTRA의 창작물이며(Copyright "
     "2001-2021 QENTRA), Velotune 최종 사용자 사용권 조건에 따라 사용이 허가됩니다. "
     "Velotune은 Windows의 시스템 라이브러리와 컴파일러의 런타임 라이브러리 외에는 다른 "
     "회사의 라이브러리를 사용하지 않습니다. GCC 런타임 라이브러리는 Copyright 2022 "
     "Free Software Foundation, Inc., https://gcc.gnu.org 의 것으로 GCC 런타임 라이브러리 "
     "예외가 붙은 GNU 일반 공중 사용 허가서 버전 3에 따라, mingw-w64 런타임은 Copyright "
     "2009-2016 the mingw-w64 project, https://www.mingw-w64.org 의 것으로 Zope Public "
     "License 2.1(일부는 BSD, MIT 및 퍼블릭 도메인 조건)에 따라 사용됩니다. "
     "Velotune\u00ae과 QENTRA\u00ae는 QENTRA의 등록 상표입니다. Microsoft\u00ae와 "
     "Windows\u00ae는 미국 및 기타 국가에서 Microsoft Corporation의 등록 상표이며, 그 밖의 "
     "모든 상표는 해당 소유자의 자산입니다. 지원과 최신 업데이트는 기본 창의 홈페이지 및 "
     "지원 링크로 QENTRA 웹사이트를 방문하거나 업데이트 체크를 누르십시오."),

    ("VTSettingsForm", "VTSettingsForm", "Updating computer's gaming performance settings",
     "게이밍 설정"),
    ("VTSettingsForm", "MessageUpdate", "Optimizing the computer's gaming performance settings",
     "게이밍 설정을 최적화하는 중"),
    ("VTSettingsForm", "MessageRestore", "Restoring the computer's gaming performance settings",
     "게이밍 설정을 복원하는 중"),
    ("VTSettingsForm", "MessageChange1", "Finding computer information",
     "컴퓨터 정보를 검색하는 중"),
    ("VTSettingsForm", "MessageChange2", "Finding total physical memory installed",
     "물리적 램을 검색하는 중"),
    ("VTSettingsForm", "MessageChange3", "Finding hardware adapters",
     "하드웨어 어뎁터를 검색하는 중"),
    ("VTSettingsForm", "MessageChange4", "Finding display device",
     "디스플레이 장치를 검색하는 중"),
    ("VTSettingsForm", "MessageChange5", "Finding 3D graphics device",
     "3D 그래픽 장치를 검색하는 중"),
    ("VTSettingsForm", "MessageChange6", "Finding processor information",
     "프로세서 정보를 검색하는 중"),
    ("VTSettingsForm", "MessageChange7", "Finding input devices", "입력 장치를 검색하는 중"),
    ("VTSettingsForm", "MessageChange8", "Finding hard drives", "하드 드라이브를 검색하는 중"),
    ("VTSettingsForm", "MessageChange9", "Backing up gaming settings",
     "게이밍 설정을 백업하는 중"),
    ("VTSettingsForm", "MessageChange10", "Writing new gaming settings",
     "새로운 게이밍 설정을 쓰는 중"),
    ("VTSettingsForm", "MessageChange11", "Restoring gaming settings",
     "게이밍 설정을 복원하는 중"),

    ("VTUpdateForm", "VTUpdateForm", "Update Velotune", "Velotune 업데이트"),
    ("VTUpdateForm", "BannerLabel", "Download and install updates for Velotune",
     "Velotune 업데이트를 다운로드하고 설치합니다"),
    ("VTUpdateForm", "UpdateHeading", "Check for updates to Velotune",
     "Velotune 업데이트 확인"),
    ("VTUpdateForm", "UpdateDescription",
     "Click the Update button below to download and install updates for Velotune.",
     "아래의 업데이트 버튼을 클릭하면 Velotune 업데이트를 다운로드하여 설치합니다."),
    ("VTUpdateForm", "UpdateLabel1", "Find update", "업데이트 찾기"),
    ("VTUpdateForm", "UpdateLabel2", "Download update", "업데이트 다운로드"),
    ("VTUpdateForm", "UpdateLabel3", "Install update", "업데이트 설치"),
    ("VTUpdateForm", "HelpButton", "&Help", "도움말(&H)"),
    ("VTUpdateForm", "UpdateButton", "&Update", "업데이트(&U)"),
    ("VTUpdateForm", "CloseButton", "&Close", "닫기(&C)"),
    ("VTUpdateForm", "MessageBoxAdmin1",
     "You do not have the proper privilege level to update this software.",
     "이 소프트웨어를 업데이트할 권한이 없습니다."),
    ("VTUpdateForm", "MessageBoxAdmin2", "Please login to the computer as an Administrator.",
     "관리자 계정으로 컴퓨터에 로그인하십시오."),
    ("VTUpdateForm", "MessageBoxNoConnection1",
     "Could not connect to the internet to check for software updates.",
     "소프트웨어 업데이트를 확인하기 위해 인터넷에 연결할 수 없습니다."),
    ("VTUpdateForm", "MessageBoxNoConnection2",
     "Please check if your internet connection is available.",
     "인터넷 연결 상태를 확인하십시오."),
    ("VTUpdateForm", "MessageBoxNoUpdate1", "There are no updates available for this software.",
     "이 소프트웨어에 사용할 수 있는 업데이트가 없습니다."),
    ("VTUpdateForm", "MessageBoxNoUpdate2",
     "You have the current version of the software installed.",
     "최신 버전의 소프트웨어가 설치되어 있습니다."),
    ("VTUpdateForm", "MessageBoxUpdate1", "An update for this software is available to download.",
     "업데이트를 다운로드할 수 있습니다."),
    ("VTUpdateForm", "MessageBoxUpdate2",
     "Do you want to download and install a new version of this software?",
     "새 버전을 다운로드하고 설치하시겠습니까?"),
    ("VTUpdateForm", "MessageBoxManualUpdate1",
     "This software could not be automatically updated.",
     "이 소프트웨어를 자동으로 업데이트할 수 없습니다."),
    ("VTUpdateForm", "MessageBoxManualUpdate2",
     "Do you want to manually download and install a new version of this software?",
     "새 버전을 직접 다운로드하여 설치하시겠습니까?"),
    ("VTUpdateForm", "MessageBoxUpdateRestart1", "The updater could not update some files.",
     "업데이트 프로그램이 일부 파일을 업데이트하지 못했습니다."),
    ("VTUpdateForm", "MessageBoxUpdateRestart2",
     "You will need to restart Windows for the files to be updated.",
     "파일을 업데이트하려면 Windows를 재시작해야 합니다."),
    ("VTUpdateForm", "MessageBoxUpdateRestart3",
     "Click Yes to restart the computer now, or click No to restart later.",
     "지금 재시작하시려면 Yes를, 나중에 하시려면 No를 클릭하십시오."),
]


def table_text(korean):
    lines = []
    previous = None
    for section, key, english, hangul in ROWS:
        if previous is not None and section != previous:
            lines.append("")
        previous = section
        text = hangul if korean else english
        shown = KOREAN_SECTION.get((section, key), section) if korean else section
        row = '%s,%s,"%s"' % (shown, key, text.replace('"', '""'))
        if (section, key) in TRAILING_BLANK:
            row += " "
        lines.append(row)
    return "\r\n".join(lines)


def main():
    here = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    english = table_text(False)
    # Plain ASCII but for the copyright and registered signs.
    assert all(ord(c) < 128 or c in "\u00a9\u00ae" for c in english)
    with open(os.path.join(here, "English.lng"), "wb") as out:
        out.write(english.encode("cp1252"))
    with open(os.path.join(here, "Korean.lng"), "wb") as out:
        out.write(b"\xff\xfe" + table_text(True).encode("utf-16-le"))


if __name__ == "__main__":
    main()
