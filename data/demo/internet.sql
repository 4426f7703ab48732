-- Demo installation: FTP settings for downloads (catalogue and program updates); the demo FTP server runs on this machine.
insert into internet (internet_id,update_host,update_user,update_pwd,update_passive_mode,active) values ('1','127.0.0.1:2121','zederivu','demo-zederivu-2023','0','1');
