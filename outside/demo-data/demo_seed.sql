-- Demo company database of the host stand-in (HalvorWorkCenter.Manager): system settings, message
-- templates, the program table and the master tables the purchase reports look up.
--
-- Codes compare without regard to case, as they do in the company databases of a real installation.
--
-- The host builds its database from this text when the database file is missing or carries a
-- lower user_version than the one below. Raise the version whenever this file changes; a demo
-- database of an older version is rebuilt from scratch.
PRAGMA user_version = 1;

-- Facts about the host itself.
CREATE TABLE HOSTSET (
    NAME TEXT PRIMARY KEY,
    VALUE TEXT NOT NULL);
INSERT INTO HOSTSET VALUES
    ('VersionType', '9'),      -- the host's release line
    ('ProductID', '1');        -- edition: 1 standard, 5 public edition

-- System settings per company; COMPANY '*' applies to every company, a company's own row wins.
--   Sys001  date order: 1 y-m-d, 2 m-d-y, 3 d-m-y, 4 and 5 local era (year - 1911) first
--   Sys002  date separator
--   ZRV002  company name shown in window captions
--   SYS007..SYS010  captions of the four item-category methods (empty: the module's default)
--   SYS026  "2": the local-era date orders are not offered
--   SYS181  "N": no web report button
CREATE TABLE SYSSET (
    COMPANY TEXT NOT NULL,
    NAME TEXT NOT NULL,
    VALUE TEXT NOT NULL,
    PRIMARY KEY (COMPANY, NAME));
INSERT INTO SYSSET VALUES
    ('*', 'Sys001', '1'),
    ('*', 'Sys002', '/'),
    ('*', 'ZRV002', '华东示范贸易股份有限公司'),
    ('*', 'SYS007', '产品大类'),
    ('*', 'SYS008', '产品中类'),
    ('*', 'SYS009', '材质分类'),
    ('*', 'SYS010', ''),
    ('*', 'SYS026', '2'),
    ('*', 'SYS181', 'Y'),
    ('TW01', 'Sys001', '5'),
    ('TW01', 'ZRV002', '台湾示范实业股份有限公司'),
    ('TW01', 'SYS026', '1'),
    ('TW01', 'SYS181', 'N');

-- Message templates by type letter and six-digit number. Parameters are substituted for %s in
-- order (up to ten).
CREATE TABLE MESSAGES (
    MTYPE TEXT NOT NULL,
    MNUMBER TEXT NOT NULL,
    MTEXT TEXT NOT NULL,
    PRIMARY KEY (MTYPE, MNUMBER));
INSERT INTO MESSAGES VALUES
    ('E', '000001', '%s，请按 [F2] 开窗选择！'),
    ('E', '000005', '日期格式不正确！%s'),
    ('E', '000006', '无法连接应用服务器，请检查客户端配置文件中的服务器地址与端口！'),
    ('E', '000013', '报表作业送出失败：%s'),
    ('E', '000015', '读取注册表失败，请确认系统已正确安装！'),
    ('E', '000016', '客户端配置文件没有设置应用服务器名称！'),
    ('E', '000030', '设置报表条件时发生错误！%s'),
    ('E', '000036', '程序代号与作业画面不符，无法开启此作业！'),
    ('E', '000037', '必填字段不可空白，请输入！'),
    ('E', '000038', '传入作业的环境参数不足，无法开启此作业！'),
    ('E', '100082', '%s不可小于%s！'),
    ('I', '000003', '尚未设置报表条件或环境参数，无法送出！'),
    ('I', '000004', '报表作业已送出，工作编号：%s'),
    ('I', '000005', '请至少选择一种输出方式！'),
    ('I', '000008', '输入的代码不存在于基本资料中'),
    ('I', '000009', '请检查预定生成的日期'),
    ('I', '000010', '及时间是否正确。'),
    ('I', '000011', '请检查制表日期。'),
    ('W', '000002', '%s的数组大小不正确：应为 %s 项，实际上限为 %s！'),
    ('W', '000003', '%s尚未设置完整：共 %s 项，第 %s 项没有值！'),
    ('W', '000004', '%s，请重新输入！'),
    ('W', '000014', '传入的控件清单不正确，无法自动执行！'),
    ('R', '100235', '注脚编号不存在'),
    ('R', '100236', '签核编号不存在'),
    ('R', '200235', '条件方案恢复失败，方案内容与目前画面不符！'),
    ('C', '000001', '资料尚未保存，确定要离开吗？'),
    ('D', '000001', '资料已经修改，是否保存？'),
    ('Q', '000001', '确定要执行此作业吗？');

-- Program table.
--   MB001 program id, MB002 title (simplified Chinese), MB003 system, MB004 kind (R report),
--   MB005 version, MB006 "Y": requests are sent in code page 936, MB007 title (traditional
--   Chinese), MB008 menu group, MB009 title (English), MB010 "Y": no direct query
CREATE TABLE ADMMB (
    MB001 TEXT PRIMARY KEY COLLATE NOCASE,
    MB002 TEXT NOT NULL, MB003 TEXT NOT NULL, MB004 TEXT NOT NULL, MB005 TEXT NOT NULL,
    MB006 TEXT NOT NULL, MB007 TEXT NOT NULL, MB008 TEXT NOT NULL, MB009 TEXT NOT NULL,
    MB010 TEXT NOT NULL);
INSERT INTO ADMMB VALUES
    ('KVSR58', '进退货明细表(依供应商)', 'KVS', 'R', '9.0', 'Y', '進退貨明細表(依供應商)', '采购报表', 'Purchase Receipt/Return Detail by Supplier', 'N'),
    ('KVSR57', '进货统计表(依品号)', 'KVS', 'R', '9.0', 'Y', '進貨統計表(依品號)', '采购报表', 'Purchase Receipt Statistics by Item', 'N'),
    ('INVR05', '库存明细表', 'INV', 'R', '9.0', 'Y', '庫存明細表', '库存报表', 'Inventory Detail', 'Y'),
    ('PURI07', '采购单维护', 'PUR', 'I', '9.0', 'N', '採購單維護', '采购作业', 'Purchase Orders', 'N');

-- Suppliers.
--   MA001 code, MA002 short name, MA003 full name, MA004 supplier class (CMSMR type 9),
--   MA005 country (CMSMR type 4), MA006 region (CMSMR type 3), MA007 contact, MA008 telephone,
--   MA009 currency, MA010 buyer (CMSMK), MA011 "Y" in use
CREATE TABLE PURMA (
    MA001 TEXT PRIMARY KEY COLLATE NOCASE,
    MA002 TEXT NOT NULL, MA003 TEXT NOT NULL, MA004 TEXT, MA005 TEXT, MA006 TEXT,
    MA007 TEXT, MA008 TEXT, MA009 TEXT, MA010 TEXT, MA011 TEXT NOT NULL DEFAULT 'Y');
INSERT INTO PURMA VALUES
    ('V0001', '恒达电子', '苏州恒达电子元件有限公司', '01', 'CN', 'EC', '周建国', '0512-6582 3301', 'RMB', 'E0102', 'Y'),
    ('V0002', '宏远五金', '宁波宏远五金制品有限公司', '02', 'CN', 'EC', '陈丽华', '0574-8723 1188', 'RMB', 'E0102', 'Y'),
    ('V0003', '华美塑胶', '东莞华美塑胶制品厂', '03', 'CN', 'SC', '林志强', '0769-2233 6580', 'RMB', 'E0105', 'Y'),
    ('V0004', '联丰包装', '上海联丰包装材料有限公司', '04', 'CN', 'EC', '王美玲', '021-5887 2046', 'RMB', 'E0105', 'Y'),
    ('V0005', '立信精密', '深圳立信精密机械有限公司', '02', 'CN', 'SC', '黄俊杰', '0755-2671 9023', 'RMB', 'E0102', 'Y'),
    ('V0006', '北辰化工', '天津北辰化工原料有限公司', '05', 'CN', 'NC', '刘德明', '022-2635 7710', 'RMB', 'E0108', 'Y'),
    ('V0007', '台欣电机', '台欣电机股份有限公司', '01', 'TW', 'TW', '张文雄', '03-355 8126', 'NTD', 'E0108', 'Y'),
    ('V0008', '大和工业', '大和工业株式会社', '02', 'JP', 'JP', '佐藤健一', '+81-6-6345-2210', 'JPY', 'E0105', 'Y'),
    ('V0009', '三星物产', '韩国三星物产(上海)有限公司', '01', 'KR', 'KR', '金成浩', '021-6209 8841', 'USD', 'E0102', 'Y'),
    ('V0010', '安普电气', 'Ampro Electric Inc.', '01', 'US', 'NA', 'David Miller', '+1-408-555-0147', 'USD', 'E0108', 'Y'),
    ('V0011', '协和纸业', '杭州协和纸业有限公司', '04', 'CN', 'EC', '吴晓燕', '0571-8615 2290', 'RMB', 'E0105', 'Y'),
    ('V0012', '永盛钢材', '武汉永盛钢材贸易有限公司', '02', 'CN', 'MC', '郑国平', '027-8357 6612', 'RMB', 'E0102', 'N');

-- Item categories, four classification methods (MA001 "1".."4").
--   MA001 method, MA002 category code, MA003 name
CREATE TABLE INVMA (
    MA001 TEXT NOT NULL,
    MA002 TEXT NOT NULL COLLATE NOCASE,
    MA003 TEXT NOT NULL,
    PRIMARY KEY (MA001, MA002));
INSERT INTO INVMA VALUES
    ('1', '10', '电子元件'), ('1', '20', '五金配件'), ('1', '30', '塑胶原料'), ('1', '40', '包装材料'), ('1', '50', '化工原料'),
    ('2', '101', '电阻电容'), ('2', '102', '集成电路'), ('2', '103', '连接器'), ('2', '201', '螺丝螺母'), ('2', '202', '弹簧垫片'),
    ('2', '301', '工程塑料'), ('2', '401', '纸箱纸盒'), ('2', '402', '缓冲材料'),
    ('3', 'A', '金属'), ('3', 'B', '塑胶'), ('3', 'C', '纸质'), ('3', 'D', '复合材料'),
    ('4', 'X1', '内销'), ('4', 'X2', '外销');

-- Items.
--   MB001 item code, MB002 name, MB003 model and size, MB004 unit, MB005..MB008 category by
--   method 1..4, MB025 item type ("1" engineering item, "2" formal item), MB032 main supplier
CREATE TABLE INVMB (
    MB001 TEXT PRIMARY KEY COLLATE NOCASE,
    MB002 TEXT NOT NULL, MB003 TEXT, MB004 TEXT NOT NULL,
    MB005 TEXT, MB006 TEXT, MB007 TEXT, MB008 TEXT,
    MB025 TEXT NOT NULL, MB032 TEXT);
INSERT INTO INVMB VALUES
    ('1010-0001', '贴片电阻', '0603 10KΩ ±1%', 'PCS', '10', '101', 'D', 'X1', '2', 'V0001'),
    ('1010-0002', '贴片电容', '0805 100nF 50V', 'PCS', '10', '101', 'D', 'X1', '2', 'V0001'),
    ('1020-0001', '单片机', 'STM32F103C8T6', 'PCS', '10', '102', 'D', 'X2', '2', 'V0009'),
    ('1020-0002', '电源管理芯片', 'LM2596S-5.0', 'PCS', '10', '102', 'D', 'X1', '2', 'V0010'),
    ('1030-0001', '排针连接器', '2.54mm 2×20P', 'PCS', '10', '103', 'A', 'X1', '2', 'V0007'),
    ('2010-0001', '十字盘头螺丝', 'M3×8 不锈钢', 'PCS', '20', '201', 'A', 'X1', '2', 'V0002'),
    ('2010-0002', '六角螺母', 'M4 镀锌', 'PCS', '20', '201', 'A', 'X1', '2', 'V0005'),
    ('2020-0001', '压缩弹簧', '线径0.8 外径6 长15', 'PCS', '20', '202', 'A', 'X2', '2', 'V0008'),
    ('3010-0001', 'ABS 粒料', '阻燃级 V0 黑色', 'KG', '30', '301', 'B', 'X1', '2', 'V0003'),
    ('3010-0002', 'PC 粒料', '透明 光学级', 'KG', '30', '301', 'B', 'X2', '1', 'V0003'),
    ('4010-0001', '五层瓦楞纸箱', '600×400×350', 'PCS', '40', '401', 'C', 'X1', '2', 'V0004'),
    ('4010-0002', '彩印内盒', '200×150×80', 'PCS', '40', '401', 'C', 'X2', '2', 'V0011'),
    ('4020-0001', 'EPE 珍珠棉', '厚度 10mm', 'M2', '40', '402', 'B', 'X1', '2', 'V0004'),
    ('5010-0001', '异丙醇', '工业级 99.9%', 'L', '50', NULL, 'D', 'X1', '2', 'V0006'),
    ('9000-0001', '新型散热片(试制)', '铝挤型 40×40×10', 'PCS', '20', '202', 'A', 'X1', '1', 'V0005');

-- Staff.
--   MK001 code, MK002 name, MK003 department, MK004 main duty, MK005 second duty
--   (duties: "1" sales, "2" production, "3" warehouse, "4" purchasing)
CREATE TABLE CMSMK (
    MK001 TEXT PRIMARY KEY COLLATE NOCASE,
    MK002 TEXT NOT NULL, MK003 TEXT, MK004 TEXT, MK005 TEXT);
INSERT INTO CMSMK VALUES
    ('E0101', '赵明', '业务部', '1', ''),
    ('E0102', '钱晓东', '采购部', '4', ''),
    ('E0103', '孙丽', '仓储部', '3', '4'),
    ('E0105', '李静', '采购部', '4', ''),
    ('E0108', '周伟', '采购部', '4', '1'),
    ('E0110', '吴芳', '生产部', '2', '');

-- Currencies.
--   MF001 code, MF002 name, MF003 unit-price decimals, MF004 amount decimals, MF005 rate
CREATE TABLE CMSMF (
    MF001 TEXT PRIMARY KEY COLLATE NOCASE,
    MF002 TEXT NOT NULL, MF003 INTEGER NOT NULL, MF004 INTEGER NOT NULL, MF005 REAL NOT NULL);
INSERT INTO CMSMF VALUES
    ('RMB', '人民币', 4, 2, 1.0),
    ('USD', '美元', 4, 2, 7.1),
    ('NTD', '新台币', 3, 0, 0.22),
    ('JPY', '日元', 2, 0, 0.048),
    ('EUR', '欧元', 4, 2, 7.7),
    ('HKD', '港币', 4, 2, 0.91);

-- Classes of trading parties.
--   MR001 kind ("3" region, "4" country, "9" supplier class), MR002 code, MR003 name
CREATE TABLE CMSMR (
    MR001 TEXT NOT NULL,
    MR002 TEXT NOT NULL COLLATE NOCASE,
    MR003 TEXT NOT NULL,
    PRIMARY KEY (MR001, MR002));
INSERT INTO CMSMR VALUES
    ('3', 'EC', '华东'), ('3', 'SC', '华南'), ('3', 'NC', '华北'), ('3', 'MC', '华中'),
    ('3', 'TW', '台湾'), ('3', 'JP', '日本'), ('3', 'KR', '韩国'), ('3', 'NA', '北美'),
    ('4', 'CN', '中国'), ('4', 'TW', '中国台湾'), ('4', 'JP', '日本'), ('4', 'KR', '韩国'), ('4', 'US', '美国'),
    ('9', '01', '电子元器件供应商'), ('9', '02', '五金机械供应商'), ('9', '03', '塑胶原料供应商'),
    ('9', '04', '包装材料供应商'), ('9', '05', '化工原料供应商');

-- Report footers ("1") and sign-off blocks ("2").
--   MS001 kind, MS002 number, MS003 description, MS004..MS006 lines 1..3
CREATE TABLE CMSMS (
    MS001 TEXT NOT NULL,
    MS002 TEXT NOT NULL COLLATE NOCASE,
    MS003 TEXT NOT NULL,
    MS004 TEXT NOT NULL DEFAULT '', MS005 TEXT NOT NULL DEFAULT '', MS006 TEXT NOT NULL DEFAULT '',
    PRIMARY KEY (MS001, MS002));
INSERT INTO CMSMS VALUES
    ('1', '01', '一般采购报表注脚', '本报表仅供内部参考', '金额单位：元', ''),
    ('1', '02', '对账用注脚', '请供应商于收到后七日内核对', '如有差异请联络采购部', '逾期视同确认'),
    ('2', '01', '采购部签核', '制表：', '审核：', '核准：'),
    ('2', '02', '财务签核', '会计：', '主管：', '');

-- Report defaults per program.
--   MT001 program, MT002 footer number, MT003 "Y" footer may be changed, MT004 reserved,
--   MT005..MT007 footer lines, MT008 sign-off number, MT009 "Y" sign-off may be changed,
--   MT010 reserved, MT011..MT013 sign-off lines
CREATE TABLE CMSMT (
    MT001 TEXT PRIMARY KEY COLLATE NOCASE,
    MT002 TEXT, MT003 TEXT, MT004 TEXT, MT005 TEXT, MT006 TEXT, MT007 TEXT,
    MT008 TEXT, MT009 TEXT, MT010 TEXT, MT011 TEXT, MT012 TEXT, MT013 TEXT);
INSERT INTO CMSMT VALUES
    ('KVSR58', '01', 'Y', '', '本报表仅供内部参考', '金额单位：元', '', '01', 'Y', '', '制表：', '审核：', '核准：'),
    ('KVSR57', '02', 'N', '', '请供应商于收到后七日内核对', '如有差异请联络采购部', '逾期视同确认', '02', 'N', '', '会计：', '主管：', '');

-- Company master.
--   MA001 company id, MA002 name, MA003 tax id, MA004 address, MA005 telephone,
--   MA051 web report site
CREATE TABLE CMSMA (
    MA001 TEXT PRIMARY KEY,
    MA002 TEXT NOT NULL, MA003 TEXT, MA004 TEXT, MA005 TEXT, MA051 TEXT NOT NULL DEFAULT '');
INSERT INTO CMSMA VALUES
    ('DEMO', '华东示范贸易股份有限公司', '91310000MA1FL0XQ2K', '上海市浦东新区张江路 88 号', '021-5080 1234', 'http://127.0.0.1:8765/ZrvWebReport');

-- Condition schemes, as the application server keeps them; read only when the application
-- server's own database cannot be found.
CREATE TABLE GENES (
    NCONDITION TEXT NOT NULL,
    CREATOR TEXT NOT NULL,
    PROGRAMME TEXT NOT NULL,
    CREATE_DATE TEXT NOT NULL,
    SCONDITION TEXT NOT NULL,
    VCONDITION TEXT NOT NULL,
    PRIMARY KEY (NCONDITION, CREATOR, PROGRAMME));

-- Users.
--   MA001 user code, MA002 name, MA003 mobile, MA004 mail, MA005 department
CREATE TABLE ZRVMA (
    MA001 TEXT PRIMARY KEY COLLATE NOCASE,
    MA002 TEXT NOT NULL, MA003 TEXT, MA004 TEXT, MA005 TEXT);
INSERT INTO ZRVMA VALUES
    ('DS', '系统管理员', '13800000001', 'admin@demo.example', '信息部'),
    ('E0102', '钱晓东', '13900001102', 'qian.xd@demo.example', '采购部'),
    ('E0105', '李静', '13900001105', 'li.jing@demo.example', '采购部'),
    ('E0108', '周伟', '13900001108', 'zhou.wei@demo.example', '采购部'),
    ('F0201', '郑会计', '13900002201', 'zheng.kj@demo.example', '财务部');

-- Integration parameters.
--   MA001 name, MA002 description, MA003 value
CREATE TABLE ZRVINTMA (
    MA001 TEXT PRIMARY KEY,
    MA002 TEXT NOT NULL,
    MA003 TEXT NOT NULL);
INSERT INTO ZRVINTMA VALUES
    ('StartupPortal', '完成通知经由门户网站发送', 'N'),
    ('Portal WS', '门户网站服务地址', 'http://127.0.0.1:8766/PortalService.asmx');

-- Phrases offered by the phrase picker; USERID '*' for everyone.
CREATE TABLE PHRASE (
    USERID TEXT NOT NULL,
    SEQ INTEGER NOT NULL,
    PHRASE TEXT NOT NULL,
    PRIMARY KEY (USERID, SEQ));
INSERT INTO PHRASE VALUES
    ('*', 1, '请于本周五前回复'),
    ('*', 2, '本月对账资料'),
    ('*', 3, '急件，请优先处理'),
    ('DS', 1, '系统测试用');

-- Newest copies of downloadable files, by lower-case file name (for GetFileList).
CREATE TABLE FILELIST (
    FILENAME TEXT PRIMARY KEY,
    MODIFY TEXT NOT NULL,
    PATH TEXT NOT NULL);
INSERT INTO FILELIST VALUES
    ('kvsr58s.dll', '2024-05-06 10:20:00', '\\APPSRV\ZRV\S_PKG\KVSR58S.DLL');
